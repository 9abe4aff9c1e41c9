#include "CheckListWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {
// Leaves mouse clicks on the check mark to the list, which toggles it on the press; keys keep
// the delegate's usual handling.
class CheckMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QRect CheckRect(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        QStyleOptionViewItem itemOption(option);
        initStyleOption(&itemOption, index);
        const QWidget* widget = option.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &itemOption, widget);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            // The press goes on to the list's selection handling; the release and double
            // click must not toggle the mark a second time.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            return event->type() != QEvent::MouseButtonPress &&
                   CheckRect(option, index).contains(mouse->position().toPoint());
        }
        default:
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        }
    }
};
} // namespace

CheckListWidget::CheckListWidget(QWidget* parent) : ExtentListWidget(parent) {
    setItemDelegate(new CheckMarkDelegate(this));
}

void CheckListWidget::AddCheckItem(const QString& text) {
    auto* item = new QListWidgetItem(text, this);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

bool CheckListWidget::ToggleCheckAt(const QPoint& position) {
    const QModelIndex index = indexAt(position);
    QListWidgetItem* item = itemFromIndex(index);
    if (item == nullptr || !(item->flags() & Qt::ItemIsUserCheckable) ||
        !(item->flags() & Qt::ItemIsEnabled)) {
        return false;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    const auto* delegate = static_cast<CheckMarkDelegate*>(itemDelegate());
    if (!delegate->CheckRect(option, index).contains(position)) {
        return false;
    }
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    return true;
}

void CheckListWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ToggleCheckAt(event->position().toPoint());
    }
    ExtentListWidget::mousePressEvent(event);
}

void CheckListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click on a mark is two clicks on it: the second toggles it again.
    if (event->button() == Qt::LeftButton) {
        ToggleCheckAt(event->position().toPoint());
    }
    ExtentListWidget::mouseDoubleClickEvent(event);
}
