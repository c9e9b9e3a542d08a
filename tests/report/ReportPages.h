#pragma once
// Runs a report file through the real form and engine and answers questions about its pages.
#include "engine/PageStore.h"
#include "report/ReportForm.h"
#include "report/RunResult.h"
#include "report/FakeTextMeasurer.h"
#include "support/TestFiles.h"
#include "support/TestReports.h"

#include <QStringList>
#include <memory>

struct TRunPages {
    TTestDir dir;
    std::unique_ptr<TfrmReport> form;
    TPageStore store;
    TSilentRunObserver observer;
    TFakeTextMeasurer measurer;
    TfrmReport::TRunStart start = TfrmReport::TRunStart::Cancelled;

    // Loads and runs the report; the page store holds its pages afterwards.
    void run(const QList<QByteArray> &lines, bool scrambled = false)
    {
        const QString file = dir.write(QStringLiteral("r.srp"), MakeReport(lines, scrambled));
        form = std::make_unique<TfrmReport>(file, QStringLiteral("ADMIN"));
        form->SetTextMeasurer(&measurer);
        form->LoadReport();
        start = form->StartRun(nullptr).Status;
        if (start == TfrmReport::TRunStart::Ready)
            form->GeneratePages(store, observer);
    }

    // The texts of page i, top to bottom, then left to right.
    QStringList texts(int page) const
    {
        TPage p = store.Page(page);
        std::stable_sort(p.items.begin(), p.items.end(), [](const TPagePrimitive &a, const TPagePrimitive &b) {
            return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top() : a.rect.left() < b.rect.left();
        });
        QStringList out;
        for (const TPagePrimitive &item : p.items)
            if (item.kind == TPrimitiveKind::Text)
                out.append(item.text.trimmed());
        return out;
    }
    int count(int page, const QString &text) const { return int(texts(page).count(text)); }
    // The primitive showing the text on page i (a default one when absent).
    TPagePrimitive find(int page, const QString &text) const
    {
        for (const TPagePrimitive &item : store.Page(page).items)
            if (item.kind == TPrimitiveKind::Text && item.text.trimmed() == text)
                return item;
        return {};
    }
};

// Data rows "100,R<n>" for n = from..to.
inline QList<QByteArray> Rows(int from, int to)
{
    QList<QByteArray> rows;
    for (int n = from; n <= to; ++n)
        rows.append("100,R" + QByteArray::number(n));
    return rows;
}
