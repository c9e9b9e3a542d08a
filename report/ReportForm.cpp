#include "report/ReportForm.h"

#include "foundation/AppState.h"
#include "foundation/IniFile.h"
#include "foundation/LanguageTable.h"
#include "foundation/Paths.h"
#include "foundation/Progress.h"
#include "engine/PageStore.h"
#include "report/RecordCodes.h"
#include "report/RecordLoop.h"
#include "report/RecordStream.h"
#include "report/TextMeasurer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <utility>

TfrmReport::TfrmReport(const QString &fileName, const QString &userName)
    : m_fileName(fileName)
    , m_userName(userName)
    , m_reader(std::make_unique<TSrpReader>(fileName))
{
    m_page.Measurer = &DefaultTextMeasurer();
    // The body prints between the header's bands and the report footer.
    m_header.bndSubHeader().Child = &m_body.bndTitles();
    m_body.bndTotals().Child = &m_header.bndReportFooter();
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
            m_scrambled = header.Scrambled;
            m_reportAuthor = header.ReportAuthor;
            m_requiredViewerVersion = header.RequiredViewerVersion;
            m_storedHeaderLine = m_reader->StoredHeaderLine();
        }
        // Line 2 is always taken as the orientation record.
        m_reader->SetScrambled(m_scrambled);
        const bool orientation = m_reader->ReadRecord() && m_reader->RecordCode() == rcOrientation;
        ApplyOrientation(orientation ? m_reader->RecordRest() : QByteArray("1"));
        m_reader->Close();
    }
    ResetLayout();
    return opened;
}

void TfrmReport::ResetLayout()
{
    m_hasGraph = false;
    m_isTrafficGraph = false;
    m_body.Reset();
    m_header.Reset();
    m_run.Reset();
}

void TfrmReport::ApplyOrientation(QByteArray rest)
{
    m_orientation = NextField(rest) == "2" ? TOrientation::Landscape : TOrientation::Portrait;
    m_page.PageSetup.Orientation = m_orientation == TOrientation::Landscape ? TPageOrientation::Landscape
                                                                   : TPageOrientation::Portrait;
    m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
}

QByteArray TfrmReport::RecordLine(int code, const QByteArray &rest) const
{
    QByteArray line = QByteArray::number(code);
    if (!rest.isEmpty())
        line += ',' + rest;
    return m_scrambled ? ScrambleLine(line) : line;
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
    m_run.Prepare(m_fileName.isEmpty());
    m_temporaryFolder = writableTemporaryFolder();
    m_header.SetTemporaryFolder(m_temporaryFolder);
    if (m_fileName.isEmpty()) {
        m_page.PrintableWidth = m_page.PageSetup.PrintableWidth();
        return {};
    }
    if (m_requiredViewerVersion > kViewerMajorVersion)
        return {TRunStart::RefusedVersion, 152, {QString::number(m_requiredViewerVersion)}};
    m_pendingRecord.clear();
    m_hasPendingRecord = false;
    // The header line goes through the dispatcher again, as an ordinary line.
    if (m_reader->Open()) {
        m_reader->SetScrambled(m_scrambled);
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
    if (m_header.Settings().BuildPageHeader)
        m_header.BuildFromSettings(m_scrambled);
    if (m_body.ReportStyle() == '2')
        m_body.ApplyGridStyle();
    return {};
}

void TfrmReport::GeneratePages(TPageStore &store, TReportRunObserver &observer)
{
    TReportEngine engine(store, m_run);
    m_run.Begin(engine);
    store.SetTitle(QFileInfo(m_fileName).completeBaseName());
    store.SetOrientation(m_page.PageSetup.Orientation);
    store.SetTemporaryFolder(m_temporaryFolder);
    if (!m_header.Settings().BuildPageHeader || m_header.SavedStyleRecords().isEmpty())
        WritePageHeaderRecords();
    if (m_run.Flags().BlankFormPassDue && !observer.Cancelled())
        m_run.PrintBlankRow();
    // The record the pre-read held back comes first, then the rest of the file.
    if (m_hasPendingRecord && !observer.Cancelled()) {
        m_hasPendingRecord = false;
        PrintRecord(m_pendingCode, std::exchange(m_pendingRecord, QByteArray()));
        observer.Progress(m_reader->PercentRead());
    }
    if (m_reader->IsOpen())
        WalkRecords(*m_reader, &observer, [this](int code, const QByteArray &rest) { PrintRecord(code, rest); });
    m_run.End();
    m_reader->Close();
    observer.Progress(100);
    store.SetFinished();
    observer.ReportDone(m_hasGraph);
}

void TfrmReport::PrintRecord(int code, const QByteArray &rest)
{
    if (m_recordWatcher)
        m_recordWatcher(code, rest);
    DispatchRecord(code, rest, false);
    m_run.PrintRow();
}

void TfrmReport::EndRun() { m_reader->Close(); }
