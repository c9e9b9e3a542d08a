// The record dispatcher of the report form: which record does what.
#include "report/ReportForm.h"

#include "report/RecordCodes.h"

#include <QThread>

void TfrmReport::DispatchRecord(int code, const QByteArray &rest, bool preRead)
{
    m_run.SetRecordCode(code);
    switch (code) {
    case rcData:
    case rcTotals:
        if (preRead) {
            // Held back until the engine asks for the first detail row.
            m_pendingCode = code;
            m_pendingRecord = rest;
            m_hasPendingRecord = true;
            if (code == rcTotals)
                m_hasGraph = false;
            break;
        }
        m_run.BeforeRow();
        if (code == rcData)
            m_body.DoData(rest);
        else
            m_body.DoTotals(rest);
        break;
    case rcGraphField:
        m_hasGraph = true;
        break;
    case rcTrafficGraph:
        m_isTrafficGraph = true;
        break;
    case rcOrientation:
        ApplyOrientation(rest);
        break;

    case rcPageHeaderItem: {
        // A logo's data is read on from the file; the record that ends it is acted on next.
        std::optional<THeaderRecord> after = m_header.DoPageHeaderItem(rest, [this](THeaderRecord &record) {
            if (!m_reader->IsOpen() || !m_reader->ReadRecord())
                return false;
            record.Code = m_reader->RecordCode();
            record.Rest = m_reader->RecordRest();
            return true;
        });
        if (after)
            DispatchRecord(after->Code, after->Rest, preRead);
        break;
    }

    // The header's, the run's and the body layout's records; the rest are read by the CSV export and the graph readers.
    default:
        if (!m_header.Dispatch(code, rest) && !m_run.Dispatch(code, rest))
            m_body.Dispatch(code, rest);
        break;
    }
}
