// The production message boxes: the Indonesian caption of each kind, its icon and
// buttons, and the reason beneath the text.
#include "ui/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Shown {
    QString caption, text, informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Runs `show` and answers the box it opens with `answer`, reporting what it showed.
Shown whenShown(const std::function<void()> &show, QMessageBox::StandardButton answer)
{
    Shown seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        seen = {box->windowTitle(), box->text(), box->informativeText(), box->icon(), box->standardButtons()};
        box->button(answer)->click();
    });
    show();
    return seen;
}

struct KindCase {
    MessageKind kind;
    const char *caption;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton button;
};

TEST(MessageBoxes, EachKindCarriesItsIndonesianCaption)
{
    MessageBoxes boxes;
    for (const KindCase &c :
         {KindCase{MessageKind::Warning, "Peringatan", QMessageBox::Warning, QMessageBox::Ok},
          KindCase{MessageKind::Error, "Kesalahan", QMessageBox::Critical, QMessageBox::Ok},
          KindCase{MessageKind::Information, "Informasi", QMessageBox::Information, QMessageBox::Ok},
          KindCase{MessageKind::ErrorClose, "Kesalahan", QMessageBox::Critical, QMessageBox::Close}}) {
        const Shown shown = whenShown([&] { boxes.show(c.kind, "Satu\rDua"); }, c.button);
        EXPECT_EQ(shown.caption, c.caption);
        EXPECT_EQ(shown.icon, c.icon) << c.caption;
        EXPECT_EQ(shown.buttons, QMessageBox::StandardButtons(c.button)) << c.caption;
        EXPECT_EQ(shown.text, "Satu\nDua") << "a carriage return breaks the line";
        EXPECT_EQ(shown.informative, "");
    }

    Shown asked;
    bool yes = false;
    asked = whenShown([&] { yes = boxes.confirm("Hapus?"); }, QMessageBox::Yes);
    EXPECT_TRUE(yes);
    EXPECT_EQ(asked.caption, "Konfirmasi");
    EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No);
    whenShown([&] { yes = boxes.confirm("Hapus?"); }, QMessageBox::No);
    EXPECT_FALSE(yes);
}

TEST(MessageBoxes, TheReasonStandsBeneathTheFixedText)
{
    MessageBoxes boxes;
    const Shown shown = whenShown(
        [&] { boxes.show(MessageKind::Warning, "Gagal menambahkan data!", "NIK harus 16 digit angka"); },
        QMessageBox::Ok);
    EXPECT_EQ(shown.text, "Gagal menambahkan data!");
    EXPECT_EQ(shown.informative, "NIK harus 16 digit angka");
}

} // namespace
