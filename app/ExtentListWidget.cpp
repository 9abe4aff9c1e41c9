#include "ExtentListWidget.h"

#include <QScrollBar>

#include <algorithm>

ExtentListWidget::ExtentListWidget(QWidget* parent) : QListWidget(parent) {
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ExtentListWidget::SetHorizontalExtent(int extent) {
    if (extent == m_horizontalExtent) {
        return;
    }
    m_horizontalExtent = extent;
    horizontalScrollBar()->setRange(0, std::max(0, m_horizontalExtent - viewport()->width()));
}

void ExtentListWidget::updateGeometries() {
    QListWidget::updateGeometries();
    QScrollBar* bar = horizontalScrollBar();
    bar->setRange(0, std::max(0, m_horizontalExtent - viewport()->width()));
    bar->setPageStep(viewport()->width());
}
