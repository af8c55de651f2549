#include "screens/recipients/import_report_window.h"

#include "ui/string_grid.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

void ImportReportWindow::show(const importing::ImportReport &report, const std::function<void()> &save)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(importing::reportTitle);
    dialog.resize(900, 480);

    auto *icon = new QLabel;
    icon->setPixmap(QApplication::style()
                        ->standardIcon(report.isWarning() ? QStyle::SP_MessageBoxWarning
                                                          : QStyle::SP_MessageBoxInformation)
                        .pixmap(32, 32));
    auto *summary = new QLabel(importing::reportSummary(report));
    summary->setWordWrap(true);
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(summary, 1);

    auto *grid = new StringGrid;
    grid->setColCount(int(importing::reportColumns.size()));
    grid->setRowCount(int(report.lines.size()) + 1);
    grid->setFixedRows(1);
    for (int c = 0; c < importing::reportColumns.size(); ++c)
        grid->setCell(c, 0, importing::reportColumns[c]);
    for (int r = 0; r < report.lines.size(); ++r) {
        const importing::ReportLine &line = report.lines[r];
        const QStringList cells = {line.row > 0 ? QString::number(line.row) : QString(),
                                   importing::statusText(line.kind), line.nik, line.name, line.reason};
        for (int c = 0; c < cells.size(); ++c)
            grid->setCell(c, r + 1, cells[c]);
    }
    const int widths[] = {60, 60, 150, 220, 520};
    for (int c = 0; c < int(std::size(widths)); ++c)
        grid->setColWidth(c, widths[c]);

    auto *saveButton = new QPushButton(QStringLiteral("Simpan Daftar..."));
    saveButton->setEnabled(report.refused > 0);
    QObject::connect(saveButton, &QPushButton::clicked, &dialog, [&save] { save(); });
    auto *closeButton = new QPushButton(QStringLiteral("Tutup"));
    QObject::connect(closeButton, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);

    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(top);
    layout->addWidget(grid, 1);
    layout->addLayout(buttons);
    dialog.exec();
}
