#include "foundation/IntlSettings.h"

#include "foundation/Codepages.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Paths.h"

namespace {

TFormatSettings &settings()
{
    static TFormatSettings s;
    return s;
}

QChar firstChar(const QString &value, QChar fallback)
{
    const QString t = value.trimmed();
    return t.isEmpty() ? fallback : t.at(0);
}

QStringList texts(std::initializer_list<int> numbers)
{
    QStringList list;
    for (int n : numbers)
        list.append(LookupText(n));
    return list;
}

} // namespace

const TFormatSettings &FormatSettings() { return settings(); }

QChar EmptyThousandSeparator() { return FromWin1255(QByteArray(1, char(254))).at(0); }

void LoadIntlSettings() { settings() = ReadIntlSettings(); }

TFormatSettings ReadIntlSettings()
{
    const QString clientPar = ClientParInDataDir();
    const QString intl = QStringLiteral("intl");
    const bool useWin = IniReadYesNo(clientPar, intl, QStringLiteral("USE_WIN"), true);
    const QString source = useWin ? FileInDir(WindowsDir(), QStringLiteral("WIN.INI")) : clientPar;

    TVelaIniFile ini(source);
    auto str = [&](const char *key) { return ini.ReadString(intl, QLatin1String(key), QString()); };
    auto num = [&](const char *key) { return ini.ReadInteger(intl, QLatin1String(key), 0); };

    TFormatSettings s;
    s.currencyString = str("sCurrency").trimmed().left(4);
    if (s.currencyString.isEmpty())
        s.currencyString = QStringLiteral("$");
    s.currencyFormat = num("iCurrency");
    if (s.currencyFormat > 3 || s.currencyFormat < 0)
        s.currencyFormat = 0;
    // A missing iCurrDigits means the usual two decimals, not none.
    s.currencyDecimals = ini.ReadInteger(intl, QStringLiteral("iCurrDigits"), 2);
    if (s.currencyDecimals > 4 || s.currencyDecimals < 0)
        s.currencyDecimals = 2;
    const int iDate = num("iDate");
    static const char *const dateOrders[] = {"mm/dd/yy", "dd/mm/yy", "yy/mm/dd"};
    s.shortDateFormat = QLatin1String(dateOrders[(iDate >= 0 && iDate <= 2) ? iDate : 0]);
    s.dateSeparator = firstChar(str("sDate"), QLatin1Char('/'));
    s.timeSeparator = firstChar(str("sTime"), QLatin1Char(':'));
    s.decimalSeparator = firstChar(str("sDecimal"), QLatin1Char('.'));
    s.thousandSeparator = firstChar(str("sThousand"), EmptyThousandSeparator());
    s.shortTimeFormat = QStringLiteral("hh:nn");

    s.longMonthNames = texts({5213, 5214, 5215, 5216, 5217, 5218, 5219, 5220, 5221, 5222, 5223, 5224});
    s.shortMonthNames = texts({5225, 5226, 5227, 5228, 5217, 5229, 5230, 5231, 5232, 5233, 5234, 5235});
    s.longDayNames = texts({5016, 5017, 5018, 5019, 5020, 5021, 5022});
    s.shortDayNames = texts({5028, 5029, 5030, 5031, 5032, 5033, 5034});
    return s;
}
