// A drop-down list whose text can also be typed. Its selected item is the one whose
// text equals the shown text, so typed text that is no item selects nothing.
#pragma once

#include <QComboBox>

class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget *parent = nullptr);

    // Replaces the items and selects one; a refill is no change of the box's text.
    void setItems(const QStringList &items, int selected);
    // Position of the selected item, -1 when the text is none of the items.
    int itemIndex() const;
};
