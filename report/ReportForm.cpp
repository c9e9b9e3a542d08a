#include "report/ReportForm.h"

#include "foundation/AppState.h"
#include "foundation/LanguageTable.h"
#include "foundation/Messages.h"
#include "foundation/Progress.h"
#include "report/RecordCodes.h"
#include "report/RecordStream.h"

bool ReportAccepted = false;

TfrmReport::TfrmReport(const QString &fileName, const QString &userName)
    : m_fileName(fileName)
    , m_userName(userName)
    , m_reader(std::make_unique<TSrpReader>(fileName))
{
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

void TfrmReport::ApplyOrientation(QByteArray rest)
{
    Orientation = NextField(rest) == "2" ? TOrientation::Landscape : TOrientation::Portrait;
}

void TfrmReport::ResetLayout()
{
    HasGraph = false;
    IsTrafficGraph = false;
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

TfrmReport::TRunStart TfrmReport::StartRun(TProgressSink *progress)
{
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
        WarnOk(LookupText(5237));
        ReportAccepted = false;
        return TRunStart::NoData;
    }
    return TRunStart::Ready;
}

void TfrmReport::EndRun() { m_reader->Close(); }
