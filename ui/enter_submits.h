#pragma once

class QAbstractButton;
class QWidget;

// Enter or Return in any edit, drop-down or date field of the form clicks the button
// (the form's "Simpan"), as the default button of a dialog would.
void enterClicks(QWidget *form, QAbstractButton *button);
