#include "fixtures.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Result {
    int exitCode;
    QString errors;
};

Result runTool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(SARVELA_REPORT_TOOL), arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

class Tool : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("t.xml", fixtures::pagedTemplate(QStringLiteral("[Line#] [people.\"name\"] [who]")));
        write("people.csv", "name,amount\r\n\"Budi, S.E.\",1000\nAni,2500\n");
    }

    void write(const char *name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

TEST_F(Tool, RendersATemplateOverCsvData)
{
    const Result result = runTool({path("t.xml"), "--data", "people=" + path("people.csv"), "--var",
                                   "who=x=y", "--csv", path("out.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();
    QFile out(path("out.csv"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(),
              QByteArray("TITLE\r\nHEAD\r\n\"1 Budi, S.E. x=y\"\r\n2 Ani x=y\r\nTOTAL 3.500\r\n1/1\r\n"));

    ASSERT_EQ(runTool({path("t.xml"), "--data", "people=" + path("people.csv"), "--var", "who=z", "--pdf",
                       path("out.pdf")})
                  .exitCode,
              0);
    EXPECT_TRUE(fixtures::run(QStringLiteral("pdftotext"), {path("out.pdf"), "-"})
                    .contains(QStringLiteral("2 Ani z")));
}

TEST_F(Tool, NamesTheTextsThatDoNotFitTheirBoxes)
{
    write("people.csv", "name,amount\nAni,1\nBudi Setiawan Kusumaningrat Prasetyo Nugroho Wijaya,2\n");
    const Result result = runTool({path("t.xml"), "--data", "people=" + path("people.csv"), "--var", "who=z",
                                   "--csv", path("out.csv")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.errors.contains("sarvela-report: page 1, band Rows: \"2 Budi Setiawan Kusumaningrat "
                                       "Prasetyo Nugroho Wijaya z\" does not fit its box and is cut\n"))
        << result.errors.toStdString();
    EXPECT_FALSE(result.errors.contains("Ani"));
}

TEST_F(Tool, FailsWithTheEngineMessage)
{
    const std::pair<QStringList, const char *> cases[] = {
        {{path("t.xml"), "--data", "people=" + path("people.csv"), "--html", path("o.html")},
         "Unknown variable \"who\""},
        {{path("t.xml"), "--var", "who=1", "--html", path("o.html")}, "Dataset \"people\" not found"},
        {{path("missing.xml"), "--csv", path("o.csv")}, "Cannot open template"},
        {{path("t.xml"), "--data", "people=" + path("none.csv"), "--csv", path("o.csv")}, "cannot read"},
        {{path("t.xml"), "--data", "people=" + path("people.csv")}, "usage:"},
    };
    for (const auto &[arguments, message] : cases) {
        const Result result = runTool(arguments);
        EXPECT_EQ(result.exitCode, 1) << message;
        EXPECT_TRUE(result.errors.contains(QLatin1String(message))) << result.errors.toStdString();
    }
}

} // namespace
