#include "report/ReportForm.h"

#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Paths.h"
#include "foundation/Progress.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"
#include "report/TextMeasurer.h"

#include <QDir>
#include <QTemporaryFile>

TfrmReport::TfrmReport(const QString &fileName, const QString &userName)
    : m_fileName(fileName)
    , m_userName(userName)
    , m_reader(std::make_unique<TSrpReader>(fileName))
{
    m_page.Measurer = &DefaultTextMeasurer();
    // The child-band chains of the page header, the detail band and the page footer.
    bndHeaderInfo.Child = &bndSubHeaderInfo;
    bndSubHeaderInfo.Child = &bndUserHeader;
    bndUserHeader.Child = &bndUserDefHeader;
    bndUserDefHeader.Child = &bndReportHeader;
    bndReportHeader.Child = &bndSubHeader;
    bndSubHeader.Child = &m_body.bndTitles();
    m_body.bndTotals().Child = &bndReportFooter;
    bndFooterInfo.Child = &bndFooterInfo2;
    CreateHeaderControls();
    m_page.PageSetup.Orientation = TPageOrientation::Portrait;
    m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
}

TfrmReport::~TfrmReport() = default;

bool TfrmReport::LoadReport()
{
    const bool opened = m_reader->Open();
    if (opened) {
        if (m_reader->ReadHeader()) {
            const TReportHeader &header = m_reader->Header();
            Scrambled = header.Scrambled;
            ReportAuthor = header.ReportAuthor;
            RequiredViewerVersion = header.RequiredViewerVersion;
            StoredHeaderLine = m_reader->StoredHeaderLine();
        }
        // Line 2 is always taken as the orientation record.
        m_reader->SetScrambled(Scrambled);
        const bool orientation = m_reader->ReadRecord() && m_reader->RecordCode() == rcOrientation;
        ApplyOrientation(orientation ? m_reader->RecordRest() : QByteArray("1"));
        m_reader->Close();
    }
    ResetLayout();
    return opened;
}

void TfrmReport::ResetLayout()
{
    HasGraph = false;
    IsTrafficGraph = false;
    m_shadeNow = kDefaultShadeColour;
    for (TBand *band : {&bndReportFooter, &bndSubHeaderInfo, &bndUserHeader, &bndReportHeader, &bndSubHeader,
                        &bndFooterInfo})
        band->Height = 0;
    bndSubHeader.Enabled = false;
    m_body.Reset();
    ResetHeaders();
}

void TfrmReport::CreateHeaderControls()
{
    mmoHeader = &bndUserDefHeader.Add(TItemKind::Memo, QStringLiteral("mmoHeader"));
    mmoFooter = &bndFooterInfo.Add(TItemKind::Memo, QStringLiteral("mmoFooter"));
    mmoFooter1 = &bndReportFooter.Add(TItemKind::Memo, QStringLiteral("mmoFooter1"));
    mmoFooter1->Top = 24;
    FooterRule = &bndFooterInfo2.Add(TItemKind::Shape, QStringLiteral("FooterRule"));
    FooterRule->Shape = TShapeKind::HorizontalLine;
    FooterRule->Height = 1;
    FooterRule->Enabled = false;
    lblPageNumber = &bndFooterInfo2.Add(TItemKind::Label, QStringLiteral("lblPageNumber"));
    lblPageNumber->Visible = false;
    lblPageNumber->AlignToBand = true;
}

void TfrmReport::ApplyOrientation(QByteArray rest)
{
    Orientation = NextField(rest) == "2" ? TOrientation::Landscape : TOrientation::Portrait;
    m_page.PageSetup.Orientation = Orientation == TOrientation::Landscape ? TPageOrientation::Landscape
                                                                   : TPageOrientation::Portrait;
    m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
}

QByteArray TfrmReport::RecordLine(int code, const QByteArray &rest) const
{
    QByteArray line = QByteArray::number(code);
    if (!rest.isEmpty())
        line += ',' + rest;
    return Scrambled ? ScrambleLine(line) : line;
}

namespace {

// The page store's spill file needs a writable folder: the system's, else the current one.
QString writableTemporaryFolder()
{
    for (const QString &dir : {QDir::tempPath(), QDir::currentPath()}) {
        QTemporaryFile probe(dir + QStringLiteral("/QRPXXXXXX"));
        if (probe.open()) {
            probe.remove();
            return dir;
        }
    }
    return QDir::tempPath();
}

} // namespace

QString TRunStartResult::Message() const
{
    return TextNumber == 0 ? QString() : FormatText(LookupText(TextNumber), Arguments);
}

TRunStartResult TfrmReport::StartRun(TProgressSink *progress)
{
    HeaderInProgress = false;
    UserDefHeaderDue = true;
    TitlesDue = true;
    m_temporaryFolder = writableTemporaryFolder();
    if (m_fileName.isEmpty()) {
        m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
        BlankFormPassDue = true;
        return {};
    }
    if (RequiredViewerVersion > kViewerMajorVersion)
        return {TRunStart::RefusedVersion, 152, {QString::number(RequiredViewerVersion)}};
    m_pendingRecord.clear();
    m_hasPendingRecord = false;
    // The header line goes through the dispatcher again, as an ordinary line.
    if (m_reader->Open()) {
        m_reader->SetScrambled(Scrambled);
        const TRecordWalk walk = WalkRecords(*m_reader, progress, [this](int code, const QByteArray &rest) {
            DispatchRecord(code, rest, true);
            return !m_hasPendingRecord;
        });
        if (walk == TRecordWalk::Cancelled)
            return {TRunStart::Cancelled, 0, {}};
    }
    if (!m_hasPendingRecord) {
        // The progress window goes before the caller shows the message.
        if (progress)
            progress->Finished();
        return {TRunStart::NoData, 5237, {}};
    }
    if (BuildPageHeader)
        BuildPageHeaderFromSettings();
    if (m_body.ReportStyle() == '2')
        m_body.ApplyGridStyle();
    return {};
}

void TfrmReport::EndRun() { m_reader->Close(); }
