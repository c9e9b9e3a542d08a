#include "report/ReportForm.h"

#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"
#include "foundation/Progress.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"
#include "report/TextMeasurer.h"

#include <QDir>
#include <QTemporaryFile>

bool ReportAccepted = false;

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

void TfrmReport::LoadReport()
{
    if (m_reader->Open()) {
        if (m_reader->ReadHeader()) {
            const TReportHeader &header = m_reader->Header();
            Scrambled = header.Scrambled;
            ReportAuthor = header.ReportAuthor;
            RequiredViewerVersion = header.RequiredViewerVersion;
            StoredHeaderLine = m_reader->StoredHeaderLine();
        }
        // The viewer runs with administrator rights: every report that opens is accepted.
        ReportAccepted = true;
        // Line 2 is always taken as the orientation record.
        if (!ReadRecord() || RecordCode != rcOrientation)
            RecordRest = "1";
        ApplyOrientation(RecordRest);
        m_reader->Close();
    }
    ResetLayout();
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

bool TfrmReport::ReadRecord()
{
    if (HasPendingRecord) {
        RecordRest = PendingRecord;
        PendingRecord.clear();
        HasPendingRecord = false;
        return true;
    }
    m_reader->SetScrambled(Scrambled);
    if (!m_reader->IsOpen() || !m_reader->ReadRecord()) {
        if (OnReadProgress)
            OnReadProgress(100);
        return false;
    }
    RecordCode = m_reader->RecordCode();
    RecordRest = m_reader->RecordRest();
    if (OnReadProgress)
        OnReadProgress(m_reader->PercentRead());
    return true;
}

QByteArray TfrmReport::RecordLine() const
{
    QByteArray line = QByteArray::number(RecordCode);
    if (!RecordRest.isEmpty())
        line += ',' + RecordRest;
    return Scrambled ? ScrambleLine(line) : line;
}

namespace {

// The engine's own temporary files need a writable folder: the system's, else the current one.
void CheckTemporaryDirectory()
{
    for (const QString &dir : {QDir::tempPath(), QDir::currentPath()}) {
        QTemporaryFile probe(dir + QStringLiteral("/QRPXXXXXX"));
        if (probe.open()) {
            probe.remove();
            qputenv("TMPDIR", QFile::encodeName(dir));
            return;
        }
    }
}

} // namespace

TfrmReport::TRunStart TfrmReport::StartRun(TProgressSink *progress)
{
    HeaderInProgress = false;
    UserDefHeaderDue = true;
    TitlesDue = true;
    CheckTemporaryDirectory();
    if (m_fileName.isEmpty()) {
        m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
        BlankFormPassDue = true;
        return TRunStart::Ready;
    }
    if (RequiredViewerVersion > kViewerMajorVersion) {
        WarnOk(FormatText(LookupText(152), {QString::number(RequiredViewerVersion)}));
        ReportAccepted = false;
        return TRunStart::RefusedVersion;
    }
    PendingRecord.clear();
    HasPendingRecord = false;
    m_reader->Open();
    // The header line goes through the dispatcher again, as an ordinary line.
    while (!HasPendingRecord && ReadRecord()) {
        DispatchRecord(true);
        if (progress) {
            progress->Progress(m_reader->PercentRead());
            if (progress->Cancelled())
                return TRunStart::Cancelled;
        }
    }
    if (!HasPendingRecord) {
        if (progress)
            progress->Finished();
        WarnOk(LookupText(5237));
        ReportAccepted = false;
        return TRunStart::NoData;
    }
    if (BuildPageHeader)
        BuildPageHeaderFromSettings();
    if (m_body.ReportStyle() == '2')
        m_body.ApplyGridStyle();
    return TRunStart::Ready;
}

void TfrmReport::EndRun() { m_reader->Close(); }
