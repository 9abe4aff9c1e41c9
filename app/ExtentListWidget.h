#pragma once

#include <QListWidget>

// A list whose sideways scrolling covers a width the program sets, the way a list box's
// horizontal extent does, instead of the width Qt derives from its items.
class ExtentListWidget : public QListWidget {
    Q_OBJECT

public:
    explicit ExtentListWidget(QWidget* parent = nullptr);

    int HorizontalExtent() const { return m_horizontalExtent; }
    void SetHorizontalExtent(int extent);

protected:
    void updateGeometries() override;

private:
    int m_horizontalExtent = 0;
};
