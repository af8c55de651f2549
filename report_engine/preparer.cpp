#include "report_engine/preparer.h"

#include "report_engine/expression.h"
#include "report_engine/number_format.h"
#include "report_engine/text_layout.h"

#include <map>
#include <memory>
#include <stdexcept>

namespace report_engine {

namespace {

constexpr double epsilon = 1e-6;

struct PrepareError : std::runtime_error {
    using std::runtime_error::runtime_error;
    explicit PrepareError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

struct CompiledObject {
    const TextObject *source = nullptr;
    CompiledText text;
    NumberFormatter format;
    int style = 0;
};

struct SumField {
    QString dataset, field, key;
    bool operator==(const SumField &) const = default;
};

class Preparer : public EvaluationContext {
public:
    Preparer(const PrepareInput &input, PreparedReport &out) : in_(input), out_(out) {}

    void run()
    {
        out_ = {};
        out_.title = in_.design.title;
        nowText_ = in_.now.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        for (const ReportPage &page : in_.design.pages)
            compilePage(page);
        checkReferences();
        for (const ReportPage &page : in_.design.pages)
            runSection(page);
        fillTotalPages();
    }

    // EvaluationContext
    QString field(const QString &dataset, const QString &name) override
    {
        Dataset *ds = in_.datasets.value(dataset);
        return ds->eof() ? QString() : ds->value(name);
    }

    QString variable(const QString &name) override
    {
        const auto cached = variables_.constFind(name);
        if (cached != variables_.cend())
            return *cached;
        QVariant value;
        if (in_.variables)
            in_.variables(name, value);
        if (!value.isValid())
            throw PrepareError(QStringLiteral("Unknown variable \"%1\"").arg(name));
        return *variables_.insert(name, value.toString());
    }

    int lineNumber() override { return line_; }
    int pageNumber() override { return int(out_.pages.size()); }
    QString now() override { return nowText_; }

    double sum(const QString &band, const QString &dataset, const QString &field) override
    {
        return sums_[sumKey(band, dataset, field)];
    }

private:
    static QString sumKey(const QString &band, const QString &dataset, const QString &field)
    {
        return band + QChar(0) + dataset + QChar(0) + field;
    }

    int styleIndex(const TextStyle &style)
    {
        const qsizetype found = out_.styles.indexOf(style);
        if (found >= 0)
            return int(found);
        out_.styles.append(style);
        return int(out_.styles.size() - 1);
    }

    void compilePage(const ReportPage &page)
    {
        for (const Band &band : page.bands) {
            std::vector<CompiledObject> compiled;
            for (const TextObject &object : band.texts) {
                CompiledObject c{&object, {}, NumberFormatter(object.format), styleIndex(object.style)};
                QString error;
                if (!CompiledText::compile(object.text, c.text, error))
                    throw PrepareError(QStringLiteral("%1, text object \"%2\" in band \"%3\"")
                                           .arg(error, object.name, band.name));
                compiled.push_back(std::move(c));
            }
            bands_[&band] = std::move(compiled);
        }
    }

    Dataset *openDataset(const QString &name, const QString &usedBy)
    {
        Dataset *ds = in_.datasets.value(name);
        if (!ds)
            throw PrepareError(QStringLiteral("Dataset \"%1\" not found (%2)").arg(name, usedBy));
        if (!ds->isOpen() && !ds->open())
            throw PrepareError(
                QStringLiteral("Dataset \"%1\" cannot be opened: %2").arg(name, ds->openError()));
        return ds;
    }

    void checkField(const QString &dataset, const QString &field, const QString &usedBy)
    {
        if (!openDataset(dataset, usedBy)->fieldNames().contains(field))
            throw PrepareError(QStringLiteral("Field not found: %1.\"%2\" (%3)").arg(dataset, field, usedBy));
    }

    // Every reference is checked before the first page, so a wrong name stops the run at once.
    void checkReferences()
    {
        QHash<QString, const Band *> dataBands;
        for (const auto &[band, compiled] : bands_)
            if (band->kind == BandKind::MasterData) {
                dataBands.insert(band->name, band);
                openDataset(band->dataset, QStringLiteral("band \"%1\"").arg(band->name));
            }
        for (const auto &[band, compiled] : bands_)
            for (const CompiledObject &object : compiled) {
                const QString usedBy = QStringLiteral("text object \"%1\"").arg(object.source->name);
                for (const Expression *e : object.text.expressions()) {
                    if (e->kind == Expression::Kind::Field)
                        checkField(e->dataset, e->name, usedBy);
                    if (e->kind != Expression::Kind::Sum)
                        continue;
                    checkField(e->dataset, e->name, usedBy);
                    if (!dataBands.contains(e->band))
                        throw PrepareError(
                            QStringLiteral("Data band \"%1\" not found (%2)").arg(e->band, usedBy));
                    const SumField summed{e->dataset, e->name, sumKey(e->band, e->dataset, e->name)};
                    if (!sumFields_[e->band].contains(summed))
                        sumFields_[e->band].append(summed);
                    sums_[summed.key] = 0;
                }
            }
    }

    void runSection(const ReportPage &page)
    {
        page_ = &page;
        footer_ = page.band(BandKind::PageFooter);
        for (const Band &band : page.bands)
            if (band.kind == BandKind::MasterData)
                in_.datasets.value(band.dataset)->first();
        line_ = 0;
        startPage(true);
        for (const Band &band : page.bands)
            if (band.kind == BandKind::MasterData)
                runDataBand(band);
        if (const Band *summary = page.band(BandKind::Summary))
            placeKeepingTogether(*summary);
        finishPage();
    }

    void runDataBand(const Band &band)
    {
        Dataset *ds = in_.datasets.value(band.dataset);
        const QList<SumField> summed = sumFields_.value(band.name);
        for (const SumField &s : summed)
            sums_[s.key] = 0;
        line_ = 0;
        for (ds->first(); !ds->eof(); ds->next()) {
            ++line_;
            for (const SumField &s : summed)
                addToSum(s);
            placeKeepingTogether(band);
        }
    }

    void addToSum(const SumField &s)
    {
        double value = 0;
        const QString text = in_.datasets.value(s.dataset)->value(s.field);
        if (!parseNumber(text, value))
            throw PrepareError(
                QStringLiteral("SUM over %1.\"%2\": \"%3\" is not a number").arg(s.dataset, s.field, text));
        sums_[s.key] += value;
    }

    double bodyBottom() const
    {
        return page_->pageSize().height() - page_->margins.bottom - (footer_ ? footer_->height : 0);
    }

    // A band that does not fit below what the page holds moves whole to a new page.
    void placeKeepingTogether(const Band &band)
    {
        if (y_ + band.height > bodyBottom() + epsilon && y_ > bodyTop_ + epsilon) {
            finishPage();
            startPage(false);
        }
        place(band, y_);
        y_ += band.height;
    }

    void startPage(bool firstOfSection)
    {
        PreparedPage page;
        page.size = page_->pageSize();
        out_.pages.append(std::move(page));
        y_ = page_->margins.top;
        const BandKind heads[] = {BandKind::PageHeader, BandKind::ReportTitle, BandKind::ColumnHeader};
        for (BandKind kind : heads) {
            const Band *band = page_->band(kind);
            if (!band || (kind == BandKind::ReportTitle && !firstOfSection))
                continue;
            place(*band, y_);
            y_ += band->height;
        }
        bodyTop_ = y_;
    }

    void finishPage()
    {
        if (footer_)
            place(*footer_, bodyBottom());
    }

    void place(const Band &band, double top)
    {
        PreparedPage &page = out_.pages.last();
        const int bandIndex = int(page.bands.size());
        page.bands.append({band.name, band.kind, top, band.height});
        const double left = page_->margins.left;
        for (const CompiledObject &object : bands_[&band]) {
            const TextObject &source = *object.source;
            PreparedText text;
            text.rect = QRectF(left + source.x, top + source.y, source.width, source.height);
            text.style = object.style;
            text.band = bandIndex;
            text.text = object.text.evaluate(*this, object.format, source.style.html);
            if (object.text.usesTotalPages())
                pendingTotals_.append({int(out_.pages.size() - 1), int(page.texts.size())});
            else
                fit(text);
            page.texts.append(std::move(text));
        }
        for (const LineObject &line : band.lines)
            page.lines.append(
                {QLineF(left + line.x1, top + line.y1, left + line.x2, top + line.y2), line.width});
    }

    // A text drawn smaller gets a style of its own size; one that crosses its box is marked for cutting.
    void fit(PreparedText &text)
    {
        if (out_.styles[text.style].html || text.text.isEmpty())
            return;
        auto &glyphs = glyphs_[text.style];
        if (!glyphs)
            glyphs = std::make_unique<GlyphCache>(out_.styles[text.style]);
        const TextFit fitted = fitText(text.text, out_.styles[text.style], text.rect, *glyphs);
        text.clipped = fitted.clipped;
        if (fitted.pixelSize == out_.styles[text.style].fontPixelSize)
            return;
        const std::pair<int, double> key{text.style, fitted.pixelSize};
        auto shrunk = shrunkStyles_.find(key);
        if (shrunk == shrunkStyles_.end()) {
            TextStyle style = out_.styles[text.style];
            style.fontPixelSize = fitted.pixelSize;
            shrunk = shrunkStyles_.emplace(key, styleIndex(style)).first;
        }
        text.style = shrunk->second;
    }

    // The second pass: the page count is known once every page is laid out.
    void fillTotalPages()
    {
        const QString total = QString::number(out_.pages.size());
        for (const auto &[page, text] : pendingTotals_) {
            PreparedText &prepared = out_.pages[page].texts[text];
            prepared.text.replace(totalPagesPlaceholder, total);
            fit(prepared);
        }
    }

    const PrepareInput &in_;
    PreparedReport &out_;
    std::map<const Band *, std::vector<CompiledObject>> bands_;
    QHash<QString, QList<SumField>> sumFields_;
    QHash<QString, double> sums_;
    QHash<QString, QString> variables_;
    QList<std::pair<int, int>> pendingTotals_;
    std::map<int, std::unique_ptr<GlyphCache>> glyphs_; // by style, made when a text of it is first fitted
    std::map<std::pair<int, double>, int> shrunkStyles_;
    QString nowText_;
    const ReportPage *page_ = nullptr;
    const Band *footer_ = nullptr;
    double y_ = 0;
    double bodyTop_ = 0;
    int line_ = 0;
};

} // namespace

bool prepareReport(const PrepareInput &input, PreparedReport &out, QString &error)
{
    try {
        Preparer(input, out).run();
        return true;
    } catch (const PrepareError &e) {
        out = {};
        error = QString::fromStdString(e.what());
        return false;
    }
}

} // namespace report_engine
