#include "fixtures.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct DumpRun {
    int exitCode;
    QString out, err;
};

DumpRun sheetdump(const QString &file, const QString &locale = QStringLiteral("en_US.UTF-8"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    env.insert("LANG", locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SHEETDUMP), {file});
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(Sheetdump, PrintsTheImportTableTabSeparated)
{
    DumpRun run = sheetdump(fixtures::generated("cols9.xls"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "1\t2\t3\t4\t5\t6\t7\n11\t12\t13\t14\t15\t16\t17\n21\t22\t23\t24\t25\t26\t27\n"
                       "31\t32\t33\t34\t35\t36\t37\n");
    EXPECT_EQ(run.err, "");
}

TEST(Sheetdump, NumbersUseTheSystemDecimalSeparator)
{
    DumpRun run = sheetdump(fixtures::generated("offset.xlsx"), QStringLiteral("id_ID.UTF-8"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("\t4250000,5\t170000,02\t42500,005\t")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("3,20123456789012E+15\t")) << run.out.toStdString();
}

TEST(Sheetdump, FailureGoesToStandardErrorWithExitOne)
{
    DumpRun run = sheetdump(fixtures::generated("error_c5.xlsx"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        "Sel C5 berisi nilai kesalahan #N/A dan tidak bisa dibaca!\nPerbaiki sel tersebut lalu ulangi.\n");
}

} // namespace
