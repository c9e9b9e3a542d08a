#pragma once
// The one loop over a saved report's records: every pass (report run, export, copy, graph
// and traffic data) reads through it, so progress and cancel behave the same everywhere.
#include "foundation/Progress.h"
#include "report/SrpReader.h"

#include <type_traits>

// How a walk over the records ended.
enum class TRecordWalk {
    End,      // the file has no more records
    Stopped,  // the visitor stopped on a record; it stays the reader's current record
    Cancelled // the user cancelled; the current record was not visited
};

// Reads the reader's next records and hands each to visit(code, rest). The reader's
// percentage goes to progress (when it changes) before each record is visited, and the
// walk stops when progress says the user cancelled. A visitor that returns bool stops the
// walk by returning false. A null progress reports nothing and never cancels.
template <typename Visit>
TRecordWalk WalkRecords(TSrpReader &reader, TProgressSink *progress, Visit &&visit)
{
    TProgressStep step(progress);
    while (reader.ReadRecord()) {
        if (!step(reader.PercentRead()))
            return TRecordWalk::Cancelled;
        if constexpr (std::is_same_v<std::invoke_result_t<Visit &, int, const QByteArray &>, bool>) {
            if (!visit(reader.RecordCode(), reader.RecordRest()))
                return TRecordWalk::Stopped;
        } else {
            visit(reader.RecordCode(), reader.RecordRest());
        }
    }
    return TRecordWalk::End;
}
