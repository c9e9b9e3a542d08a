// The sample installation folder: the settings files a site would have, in the suite's code
// page with Windows line ends, and a company logo.
#include "Samples.h"

#include "foundation/Codepages.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

namespace {

bool writeSettingsFile(const QString &path, const char *utf8, QString &error)
{
    QString text = QString::fromUtf8(utf8);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToWin1255(text)) < 0 || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// CLIENT.PAR: a stand-alone installation (the data directory is this folder), Israeli formats
// read from here rather than from WIN.INI, and the export options.
const char kClientPar[] = R"([general]
SERVER_PATH=
CS_SYSTEM=S
SERVER_NAME=

[intl]
USE_WIN=N
sDate=/
iDate=1
sTime=:
sDecimal=.
sThousand=,
sCurrency=₪
iCurrency=2
iCurrDigits=2

[export]
DELIMITER=44
FORCE_QUOTE=N
ASCII_DOS=N
PAGE_BREAK=0
LINES_IN_PAGE=60
DATA_ONLY=N
INCLUDE_SUMMARY_LINE=Y
INCLUDE_HEADER=Y
HEADER_TYPE=1
)";

// TRVL.PAR: report appearance, the company page header and the graph look. The graph
// sections hold every key the graph windows write back, so that using them leaves the file
// as it is. LogoFile is a bare name, taken from the data directory, which is this folder.
const char kTrvlPar[] = R"([sysconfig]
DB_LANGUAGE=HEB

[Styles]
TitleFontName=Arial
TitleFontSize=9
TitleFontColor=clNavy
TitleFontBold=Y
TitleFontItalic=N
TitleFontUnderline=N
TitleFontStrikeOut=N
TitleFontCharSet=177
DataFontName=Arial
DataFontSize=9
DataFontColor=clBlack
DataFontBold=N
DataFontItalic=N
DataFontUnderline=N
DataFontStrikeOut=N
DataFontCharSet=177
TotalFontName=Arial
TotalFontSize=9
TotalFontColor=clBlack
TotalFontBold=Y
TotalFontItalic=N
TotalFontUnderline=N
TotalFontStrikeOut=N
TotalFontCharSet=177
MainHeaderFontName=Arial
MainHeaderFontSize=14
MainHeaderFontColor=clNavy
MainHeaderFontBold=Y
MainHeaderFontItalic=N
MainHeaderFontUnderline=N
MainHeaderFontStrikeOut=N
MainHeaderFontCharSet=177
SubHeaderFontName=Arial
SubHeaderFontSize=10
SubHeaderFontColor=clBlack
SubHeaderFontBold=Y
SubHeaderFontItalic=N
SubHeaderFontUnderline=N
SubHeaderFontStrikeOut=N
SubHeaderFontCharSet=177

[PageInfo]
LogoFile=logo.jpg
LogoAlign=L
CompName=גלבוע תקשורת ומחשוב בע"מ
CompNameFontName=Arial
CompNameFontSize=14
CompNameFontColor=clNavy
CompNameFontBold=Y
CompNameFontItalic=N
CompNameFontUnderline=N
CompNameFontStrikeOut=N
CompNameFontCharSet=177
CompNameAlign=R
CompNameAlignment=R
CompDetail1=רחוב הברזל 32, תל אביב-יפו 6971005
CompDetail2=טלפון: 03-7651234
CompDetail3=פקס: 03-7651299
CompDetail4=דוא"ל: office@gilboa-tel.example
CompDetailFontName=Arial
CompDetailFontSize=9
CompDetailFontColor=clBlack
CompDetailFontBold=N
CompDetailFontItalic=N
CompDetailFontUnderline=N
CompDetailFontStrikeOut=N
CompDetailFontCharSet=177
CompDetailAlign=R
CompDetailAlignment=R
DateTimeFontName=Arial
DateTimeFontSize=8
DateTimeFontColor=clGray
DateTimeFontBold=N
DateTimeFontItalic=N
DateTimeFontUnderline=N
DateTimeFontStrikeOut=N
DateTimeFontCharSet=177
DateTimeAlign=L
DateTimeAlignment=L
ShowDate=Y
ShowTime=Y
HeaderLine=Y
FooterLine=Y
PageNumberAlignment=C

[GraphInfo]
BackgoundColor=16777215
WallsColor=16119285
UseRandomColors=N
Serie1Color=11565614
Serie2Color=2394864
Serie3Color=5934396
Serie4Color=7223839
Serie5Color=8388608
Serie6Color=16776960
Serie7Color=65535
Serie8Color=8388736
Serie9Color=16711935
Serie10Color=32896
VerticalGrid=N
HorizontalGrid=Y
TitleFontName=Arial
TitleFontSize=14
TitleFontColor=clBlack
TitleFontBold=Y
TitleFontItalic=N
TitleFontUnderline=N
TitleFontStrikeOut=N
TitleFontCharSet=1
AxisTitlesFontName=Arial
AxisTitlesFontSize=10
AxisTitlesFontColor=clBlack
AxisTitlesFontBold=Y
AxisTitlesFontItalic=N
AxisTitlesFontUnderline=N
AxisTitlesFontStrikeOut=N
AxisTitlesFontCharSet=1
AxisLablesFontName=Arial
AxisLablesFontSize=8
AxisLablesFontColor=clBlack
AxisLablesFontBold=N
AxisLablesFontItalic=N
AxisLablesFontUnderline=N
AxisLablesFontStrikeOut=N
AxisLablesFontCharSet=1

[TrafficGraphInfo]
BackgoundColor=16777215
WallsColor=16119285
UseRandomColors=N
Serie1Color=5934396
Serie2Color=11565614
Serie3Color=2394864
Serie4Color=32768
Serie5Color=8388608
Serie6Color=16776960
Serie7Color=65535
Serie8Color=8388736
Serie9Color=16711935
Serie10Color=32896
VerticalGrid=N
HorizontalGrid=Y
TitleFontName=Arial
TitleFontSize=14
TitleFontColor=clBlack
TitleFontBold=Y
TitleFontItalic=N
TitleFontUnderline=N
TitleFontStrikeOut=N
TitleFontCharSet=1
AxisTitlesFontName=Arial
AxisTitlesFontSize=10
AxisTitlesFontColor=clBlack
AxisTitlesFontBold=Y
AxisTitlesFontItalic=N
AxisTitlesFontUnderline=N
AxisTitlesFontStrikeOut=N
AxisTitlesFontCharSet=1
AxisLablesFontName=Arial
AxisLablesFontSize=8
AxisLablesFontColor=clBlack
AxisLablesFontBold=N
AxisLablesFontItalic=N
AxisLablesFontUnderline=N
AxisLablesFontStrikeOut=N
AxisLablesFontCharSet=1
)";

// TRNSFONT.INI: the window fonts for the Hebrew database language.
const char kTrnsFont[] = R"([HEB]
MS Sans Serif=Arial
Tahoma=Arial
Default=Arial
)";

} // namespace

bool WriteLogo(const QString &path, QString &error)
{
    // Shapes only (no text), so that the picture is the same on every machine.
    QImage image(180, 64, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor navy(0x1F, 0x3A, 0x6E), green(0x3C, 0x8D, 0x5A), orange(0xF0, 0x8A, 0x24);
    // A mast with signal waves, standing on two hills.
    const QPointF top(76, 27);
    p.setPen(QPen(navy, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(top, QPointF(76, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(orange);
    p.drawEllipse(top, 4, 4);
    p.setBrush(Qt::NoBrush);
    for (const double radius : {8.0, 14.0, 20.0}) {
        p.setPen(QPen(orange, 2.5, Qt::SolidLine, Qt::RoundCap));
        const QRectF arc(top.x() - radius, top.y() - radius, 2 * radius, 2 * radius);
        p.drawArc(arc, 25 * 16, 45 * 16);
        p.drawArc(arc, 110 * 16, 45 * 16);
    }
    QPainterPath back;
    back.moveTo(4, 62);
    back.cubicTo(30, 28, 52, 24, 78, 46);
    back.lineTo(96, 62);
    back.closeSubpath();
    p.fillPath(back, green);
    QPainterPath front;
    front.moveTo(40, 62);
    front.cubicTo(60, 36, 92, 36, 112, 62);
    front.closeSubpath();
    p.fillPath(front, navy);
    // Lines standing for the company's name.
    p.setPen(Qt::NoPen);
    p.setBrush(navy);
    p.drawRoundedRect(QRectF(122, 22, 54, 9), 3, 3);
    p.setBrush(green);
    p.drawRoundedRect(QRectF(122, 37, 40, 6), 3, 3);
    p.drawRoundedRect(QRectF(122, 49, 48, 6), 3, 3);
    p.end();

    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    QImageWriter writer(&jpeg, "jpeg");
    writer.setQuality(90);
    if (!writer.write(image)) {
        error = QStringLiteral("%1: %2").arg(path, writer.errorString());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg.data()) < 0 || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool WriteHomeFolder(const QString &dir, QString &error)
{
    if (!QDir().mkpath(dir)) {
        error = QStringLiteral("%1: cannot create the folder").arg(dir);
        return false;
    }
    return writeSettingsFile(dir + QStringLiteral("/CLIENT.PAR"), kClientPar, error)
           && writeSettingsFile(dir + QStringLiteral("/TRVL.PAR"), kTrvlPar, error)
           && writeSettingsFile(dir + QStringLiteral("/TRNSFONT.INI"), kTrnsFont, error)
           && WriteLogo(dir + QStringLiteral("/logo.jpg"), error);
}
