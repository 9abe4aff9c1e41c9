#pragma once

#include "ExtentListWidget.h"

// A list with a check mark on every item. A click on a check mark toggles it at once, before
// the list's own selection handling, so whoever follows the selection sees the new mark; the
// mark alone changes no selection.
class CheckListWidget : public ExtentListWidget {
    Q_OBJECT

public:
    explicit CheckListWidget(QWidget* parent = nullptr);

    // Appends an unchecked item.
    void AddCheckItem(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool ToggleCheckAt(const QPoint& position);
};
