// Every fixture read by our reader and by another (xlrd for .xls, openpyxl for
// .xlsx), compared cell by cell.
#include "expect_table.h"
#include "fixtures.h"
#include "import/cell_text.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct PeerView {
    importing::Table table;
    QString firstError; // "C5" when the range holds an error cell
};

PeerView peerView(const QString &file)
{
    QProcess peer;
    peer.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(SHEETS_TEST_DIR "/peer_table.py"), file});
    peer.waitForFinished(60000);
    EXPECT_EQ(peer.exitCode(), 0) << peer.readAllStandardError().toStdString();
    QJsonObject json = QJsonDocument::fromJson(peer.readAllStandardOutput()).object();
    int top = json["top"].toInt(), left = json["left"].toInt();
    PeerView view;
    std::pair<int, int> firstError{INT_MAX, INT_MAX};
    QJsonArray rowsJson = json["rows"].toArray();
    for (int r = 0; r < rowsJson.size(); ++r) {
        QStringList row;
        QJsonArray cells = rowsJson[r].toArray();
        for (int c = 0; c < cells.size(); ++c) {
            QJsonArray cell = cells[c].toArray();
            QString kind = cell.isEmpty() ? QString() : cell[0].toString();
            if (kind == "s")
                row << cell[1].toString();
            else if (kind == "n")
                row << importing::numberText(cell[1].toDouble(), QLatin1Char('.'));
            else if (kind == "b")
                row << (cell[1].toBool() ? "TRUE" : "FALSE");
            else
                row << QString();
            if (kind == "e")
                firstError = std::min(firstError, std::pair(left + c, top + r));
        }
        view.table << row;
    }
    if (firstError.first != INT_MAX)
        view.firstError = sheets::cellName(uint32_t(firstError.second), uint32_t(firstError.first));
    return view;
}

TEST(PeerReaders, AgreeOnEveryFixture)
{
    const QStringList files = fixtures::all();
    EXPECT_GE(files.size(), 25);
    for (const QString &file : files) {
        SCOPED_TRACE(QFileInfo(file).fileName().toStdString());
        PeerView peer = peerView(file);
        TextRead ours = sheetRead(file);
        if (peer.firstError.isEmpty()) {
            EXPECT_TRUE(ours.ok()) << ours.error.toStdString();
            EXPECT_EQ(ours.table, peer.table);
        } else {
            EXPECT_TRUE(ours.error.startsWith("Sel " + peer.firstError + " ")) << ours.error.toStdString();
        }
    }
}

} // namespace
