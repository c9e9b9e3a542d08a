#pragma once
// The report form: reads a saved report's record stream and turns it into a banded page
// layout. It is not a window; the preview window shows what it produces.
#include "report/SrpReader.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class TProgressSink;

enum class TOrientation { Portrait, Landscape };

// Set when a report file opened; cleared by a run refused for its version or without rows.
extern bool ReportAccepted;

class TfrmReport
{
public:
    TfrmReport(const QString &fileName, const QString &userName);
    virtual ~TfrmReport();
    TfrmReport(const TfrmReport &) = delete;
    TfrmReport &operator=(const TfrmReport &) = delete;

    // Reads the header line and the orientation record, then resets the layout model.
    void LoadReport();
    // The next record, or the one the pre-read held back. False at the end of the file.
    bool ReadRecord();
    // Acts on the current record. In pre-read mode a data or totals record is held back.
    void DispatchRecord(bool preRead);
    // The current record written back as a line, scrambled when the report is.
    QByteArray RecordLine() const;

    enum class TRunStart { Ready, RefusedVersion, NoData, Cancelled };
    // The start of a report run: the version gate (text 152), then the pre-read up to the
    // first data or totals record (text 5237 when there is none). Shows its messages.
    TRunStart StartRun(TProgressSink *progress = nullptr);
    void EndRun();

    const QString &FileName() const { return m_fileName; }
    const QString &UserName() const { return m_userName; }

    // Header line values.
    bool Scrambled = false;
    QByteArray ReportAuthor;
    int RequiredViewerVersion = 1;
    QByteArray StoredHeaderLine;

    // The current record.
    int RecordCode = 0;
    QByteArray RecordRest;
    QByteArray PendingRecord;
    bool HasPendingRecord = false; // a held-back record may have no fields at all

    TOrientation Orientation = TOrientation::Portrait;
    bool HasGraph = false;
    bool IsTrafficGraph = false;

    // Told the reader's percentage after every record, and 100 at the end of the file.
    std::function<void(int percent)> OnReadProgress;

protected:
    // Resets the layout model; the layout code fills it in.
    virtual void ResetLayout();
    void ApplyOrientation(QByteArray rest);

private:
    QString m_fileName;
    QString m_userName;
    std::unique_ptr<TSrpReader> m_reader;
};
