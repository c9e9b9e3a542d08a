// The page header built from the settings (logo, company lines, date and time, rules) and
// its write-back as records, so that a saved copy keeps the header it was shown with.
#include "report/PageHeader.h"

#include "report/BodyLayout.h"
#include "report/LogoPicture.h"

#include "foundation/Codepages.h"
#include "foundation/IniFile.h"
#include "foundation/IntlSettings.h"
#include "foundation/Numbers.h"
#include "foundation/Paths.h"
#include "report/TextMeasurer.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {

// The suite's short date and time formats ("dd/mm/yy", "hh:nn") in Qt's notation.
QString qtDateFormat()
{
    const TFormatSettings &f = FormatSettings();
    QString format = f.shortDateFormat.toLower();
    format.replace(QLatin1String("m"), QLatin1String("M"));
    format.replace(QLatin1Char('/'), f.dateSeparator);
    return format;
}

QString qtTimeFormat()
{
    const TFormatSettings &f = FormatSettings();
    QString format = f.shortTimeFormat.toLower();
    format.replace(QLatin1String("n"), QLatin1String("m"));
    format.replace(QLatin1Char(':'), f.timeSeparator);
    return format;
}

} // namespace

void TPageHeader::BuildFromSettings(bool scrambled)
{
    const QString par = TrvlPar();
    const QString section = QStringLiteral("PageInfo");
    std::array<int, 3> stack{1, 1, 1};
    int maxBottom = 1;
    std::array<QList<TBandItem *>, 3> stackLabels;
    auto stackOf = [this](const QString &letter) {
        const TAlignment a = AlignmentFromLetter(letter.toLatin1(), m_page.RightToLeft);
        return a == TAlignment::Left ? 0 : a == TAlignment::Right ? 1 : 2;
    };
    auto place = [&](TBandItem &item, int a) {
        item.Left = a == 0 ? 1 : a == 1 ? m_page.PrintableWidth - item.Width + 1 : (m_page.PrintableWidth - item.Width) / 2 + 1;
        item.Top = stack[size_t(a)];
        stack[size_t(a)] += item.Height;
        maxBottom = qMax(maxBottom, item.Bottom());
    };
    m_bndHeaderInfo.RemoveUnnamed();

    // 1. The logo.
    QString logo = IniReadString(par, section, QStringLiteral("LogoFile"));
    if (!logo.isEmpty()) {
        if (!logo.contains(QLatin1Char('/')) && !logo.contains(QLatin1Char('\\')))
            logo = FileInDir(DataDir(), logo);
        if (QFileInfo::exists(logo)) {
            const QImage picture = LoadLogoPicture(logo);
            if (!picture.isNull()) {
                m_settings.LogoFileName = logo;
                TBandItem &image = m_bndHeaderInfo.Add(TItemKind::Image);
                image.Picture = picture;
                image.AutoSize = true;
                image.Width = picture.width();
                image.Height = picture.height();
                place(image, stackOf(IniReadString(par, section, QStringLiteral("LogoAlign"), QStringLiteral("D"))));
            }
        }
    }

    // 2.-4. Company name, details, date and time.
    auto addText = [&](const QString &text, const QString &keyBase) {
        if (text.isEmpty())
            return;
        TFontSpec font;
        ReadFontKeys(par, section, keyBase, 0, clBlack, 9, QStringLiteral("Arial"), font);
        const TAlignment alignment = AlignmentFromLetter(
            IniReadString(par, section, keyBase + QStringLiteral("Alignment"), QStringLiteral("D")).toLatin1(), m_page.RightToLeft);
        TBandItem &label = AddHeaderLabel(m_bndHeaderInfo, text, font, alignment);
        const int a = stackOf(IniReadString(par, section, keyBase + QStringLiteral("Align"), QStringLiteral("D")));
        label.Tag = a;
        place(label, a);
        stackLabels[size_t(a)].append(&label);
    };
    addText(IniReadString(par, section, QStringLiteral("CompName")), QStringLiteral("CompName"));
    for (int i = 1; i <= 4; ++i)
        addText(IniReadString(par, section, QStringLiteral("CompDetail%1").arg(i)), QStringLiteral("CompDetail"));
    const bool showDate = IniReadYesNo(par, section, QStringLiteral("ShowDate"), false);
    const bool showTime = IniReadYesNo(par, section, QStringLiteral("ShowTime"), false);
    if (showDate || showTime) {
        LoadIntlSettings(); // the suite's date and time formats
        const QDateTime now = QDateTime::currentDateTime();
        QString text;
        if (showDate)
            text = now.date().toString(qtDateFormat());
        if (showTime)
            text += QLatin1Char(' ') + now.time().toString(qtTimeFormat());
        text = IniReadString(par, section, QStringLiteral("DateTime"), text.trimmed());
        addText(text, QStringLiteral("DateTime"));
    }

    // 5. The rule under the header.
    TBandItem &rule = m_bndHeaderInfo.Add(TItemKind::Shape);
    rule.Shape = TShapeKind::HorizontalLine;
    rule.Left = 1;
    rule.Top = maxBottom - 1;
    rule.Width = m_page.PrintableWidth;
    rule.Height = 1;
    rule.Visible = IniReadYesNo(par, section, QStringLiteral("HeaderLine"), false);
    m_headerRule = &rule;

    // 6. The labels of a stack are as wide as its widest caption.
    for (int a = 0; a < 3; ++a) {
        double widest = 0;
        for (TBandItem *label : stackLabels[size_t(a)])
            widest = qMax(widest, m_page.Measurer->TextWidth(label->Caption + QLatin1Char('W'), label->Font));
        const int w = CeilPixels(widest);
        for (TBandItem *label : stackLabels[size_t(a)]) {
            label->Width = w;
            label->AutoSize = false;
            label->Left = a == 0 ? 0 : a == 1 ? m_page.PrintableWidth - w + 1 : (m_page.PrintableWidth - w) / 2 + 1;
        }
    }

    // 7. The band holds what was placed.
    m_bndHeaderInfo.Height = maxBottom;
    m_bndHeaderInfo.Enabled = m_bndHeaderInfo.Height > 0;

    // 8. The page footer: rule and page number.
    m_footerRule->Left = 1;
    m_footerRule->Top = 0;
    m_footerRule->Width = m_page.PrintableWidth;
    m_footerRule->Height = 1;
    m_footerRule->Visible = IniReadYesNo(par, section, QStringLiteral("FooterLine"), false);
    const int footerHeight = m_lblPageNumber->Visible ? RoundHalfEven(1.5 * m_lblPageNumber->Height) : 0;
    if (m_lblPageNumber->Visible)
        m_lblPageNumber->Top = m_footerRule->Visible ? 2 : 0;
    m_bndFooterInfo2.Height = qMax(footerHeight, m_footerRule->Visible ? 1 : 0);
    m_bndFooterInfo2.Enabled = m_bndFooterInfo2.Height > 0;

    // 9.
    WriteRecords(scrambled);
}

void TPageHeader::WriteRecords(bool scrambled)
{
    m_savedStyleRecords.clear();
    m_savedHeaderRecords.clear();
    auto store = [scrambled](QList<QByteArray> &list, const QByteArray &line) {
        list.append(scrambled ? ScrambleLine(line) : line);
    };
    auto yn = [](bool b) { return QByteArray(b ? "Y" : "N"); };
    for (int n = 1; n <= 5; ++n) {
        const TFontSpec &f = m_body.Font(n);
        store(m_savedStyleRecords, "900," + QByteArray::number(n) + ',' + ToWin1255(f.name) + ',' + QByteArray::number(f.size)
                                     + ',' + yn(f.bold) + ',' + yn(f.italic) + ',' + yn(f.underline) + ','
                                     + FormatColor(f.color).toLatin1());
    }
    auto quoted = [](const QString &caption) {
        QByteArray bytes = ToWin1255(caption);
        bytes.replace('"', "\"\"");
        return '"' + bytes + '"';
    };
    auto writeBand = [&](const TBand &band, int labelKind, int lineKind) {
        for (const auto &item : band.Items) {
            if (!item->Prints() || item.get() == m_lblPageNumber)
                continue;
            if (item->Kind == TItemKind::Label) {
                store(m_savedHeaderRecords,
                      "912," + QByteArray::number(labelKind) + ',' + QByteArray::number(item->Left) + ','
                          + QByteArray::number(item->Top) + ',' + QByteArray::number(item->Width) + ','
                          + AlignmentLetter(item->Alignment) + ',' + ToWin1255(item->Font.name) + ','
                          + QByteArray::number(item->Font.size) + ',' + QByteArray::number(item->Font.color) + ','
                          + yn(item->Font.bold) + ',' + yn(item->Font.italic) + ',' + quoted(item->Caption));
            } else if (item->Kind == TItemKind::Shape && item->Shape == TShapeKind::HorizontalLine) {
                store(m_savedHeaderRecords, "912," + QByteArray::number(lineKind) + ',' + QByteArray::number(item->Top));
            } else if (item->Kind == TItemKind::Image && labelKind == 1 && !m_settings.LogoFileName.isEmpty()) {
                store(m_savedHeaderRecords, "914," + ToWin1255(QLatin1Char('.') + QFileInfo(m_settings.LogoFileName).suffix()));
                QFile file(m_settings.LogoFileName);
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray bytes = file.readAll();
                for (qsizetype at = 0; at < bytes.size(); at += 100)
                    store(m_savedHeaderRecords, "912,3," + bytes.mid(at, 100).toHex().toUpper());
                store(m_savedHeaderRecords, "912,4," + QByteArray::number(item->Left) + ',' + QByteArray::number(item->Top)
                                              + ',' + QByteArray::number(item->Width) + ','
                                              + QByteArray::number(item->Height));
            }
        }
    };
    writeBand(m_bndHeaderInfo, 1, 2);
    writeBand(m_bndFooterInfo2, 5, 6);
}
