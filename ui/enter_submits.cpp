#include "ui/enter_submits.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class EnterClicks : public QObject {
public:
    explicit EnterClicks(QAbstractButton *button) : QObject(button), button_(button) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                button_->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton *button_;
};

} // namespace

void enterClicks(QWidget *form, QAbstractButton *button)
{
    auto *filter = new EnterClicks(button);
    for (QWidget *field : form->findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(field) || qobject_cast<QComboBox *>(field) ||
            qobject_cast<QAbstractSpinBox *>(field))
            field->installEventFilter(filter);
}
