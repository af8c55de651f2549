// Fixture files for the reader tests: generated once per test run into a
// temporary folder (xlwt, openpyxl, libxlsxwriter), committed ones (LibreOffice,
// fuzz findings), and small helpers that pack or patch files.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace fixtures {

// A generated fixture by name, e.g. "offset.xls"; made on first use.
QString generated(const QString &name);
// Every generated and committed fixture, for the comparison with other readers.
QStringList all();
// A committed fixture under tests/sheets/fixtures.
QString committed(const QString &name);

// Writes bytes to a new file in the temporary folder and gives its path.
QString write(const QString &name, const QByteArray &bytes);
QByteArray read(const QString &path);

// A zip of the given parts, stored uncompressed.
QByteArray zip(const QList<std::pair<QString, QByteArray>> &parts);

// Replaces the first occurrence of from by to (same length); fails the test when absent.
QByteArray patched(QByteArray bytes, const QByteArray &from, const QByteArray &to);

} // namespace fixtures
