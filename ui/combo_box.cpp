#include "ui/combo_box.h"

#include <QSignalBlocker>

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    // Typed text is taken as typed: no completion, and Enter adds no item.
    setCompleter(nullptr);
    setInsertPolicy(NoInsert);
}

void ComboBox::setItems(const QStringList &items, int selected)
{
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(selected);
}

int ComboBox::itemIndex() const
{
    return findText(currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}
