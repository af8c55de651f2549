#include "reports/report_data.h"

#include <QFile>

namespace {

const QString officialsStatement =
    QStringLiteral("SELECT A.`induk_id`, A.`pa`, B.`nama_lengkap`, B.`pangkat`, A.`bp`, "
                   "C.`nama_lengkap` AS `nama_lengkap_1`, C.`pangkat` AS `pangkat_1` "
                   "FROM `tpp_pejabat` A LEFT JOIN `cache_pns` B ON A.`pa` = B.`nip` "
                   "LEFT JOIN `cache_pns` C ON A.`bp` = C.`nip` WHERE A.`induk_id` = 75");

QByteArray builtInDesign()
{
    QFile file(QStringLiteral(":/templates/nasn_lampiran.fr3"));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Variable names match without regard to the case of ASCII letters only.
bool sameAsciiName(const QString &name, const char *variable)
{
    const QLatin1String expected(variable);
    if (name.size() != expected.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const char16_t lower = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        if (lower != char16_t(expected[i].unicode()))
            return false;
    }
    return true;
}

} // namespace

// The resources live in a static library: referencing them here keeps them linked.
static void initReportResources()
{
    Q_INIT_RESOURCE(reports);
}

ReportData::ReportData(Tdm &dm, const OperatorContext &context)
    : context_(context), frxPjb_(QStringLiteral("frxPjb"), dm.qpejabat, officialsStatement)
{
    initReportResources();
    frxReport_.use(kept_.rows);
    fr.registerDataset(&frxReport_);
    fr.registerDataset(&frxPjb_);
    fr.setVariableCallback([this](const QString &name, QVariant &value) { frGetValue(name, value); });
    fr.loadFromXml(builtInDesign());
}

void ReportData::keepRun(const QueryResult &rows, const QString &periodLabel)
{
    kept_ = {rows, officials, periodLabel};
    frxReport_.use(kept_.rows);
}

void ReportData::showRun(const ProcessedRun &run, report_engine::PreviewHost &host)
{
    printing_ = &run;
    frxReport_.use(run.rows);
    fr.showPreview(host);
    printing_ = &kept_;
    frxReport_.use(kept_.rows);
}

void ReportData::frGetValue(const QString &name, QVariant &value) const
{
    const Officials &o = printing_->officials;
    const std::pair<const char *, const QString *> variables[] = {
        {"pa_nama", &o.pa_nama},
        {"pa_nip", &o.pa_nip},
        {"pa_pangkat", &o.pa_pangkat},
        {"bp_nama", &o.bp_nama},
        {"bp_nip", &o.bp_nip},
        {"bp_pangkat", &o.bp_pangkat},
        {"nama_skpd", &context_.nama_skpd},
        {"periode_tpp_label", &printing_->periodLabel},
    };
    for (const auto &[variable, text] : variables)
        if (sameAsciiName(name, variable)) {
            value = *text;
            return;
        }
}
