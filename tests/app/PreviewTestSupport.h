#pragma once
// Stores filled by hand, a private installation folder for TRVL.PAR, and captured messages.
#include "engine/PageStore.h"
#include "foundation/Messages.h"
#include "foundation/Paths.h"
#include "support/TestFiles.h"

#include "app/PreviewWindow.h"
#include "foundation/AppState.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// Pages numbered in their text, a ruled table and a frame, as a report page would have.
inline void FillStore(TPageStore &store, int pages, bool landscape = false)
{
    store.SetOrientation(landscape ? TPageOrientation::Landscape : TPageOrientation::Portrait);
    store.SetTitle(QStringLiteral("test"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const quint16 f = store.AddFont(font);
    const QSize size = landscape ? QSize(1123, 794) : QSize(794, 1123);
    for (int n = 1; n <= pages; ++n) {
        TPage page;
        page.size = size;
        TPagePrimitive frame;
        frame.kind = TPrimitiveKind::Rect;
        frame.rect = QRect(38, 38, size.width() - 76, size.height() - 76);
        page.items.push_back(frame);
        TPagePrimitive title;
        title.kind = TPrimitiveKind::Text;
        title.rect = QRect(38, 50, size.width() - 76, 20);
        title.text = QString::fromUtf8("עמוד %1 מתוך %2").arg(n).arg(pages);
        title.font = f;
        title.flags = Qt::AlignRight | Qt::AlignVCenter;
        title.rightToLeft = true;
        page.items.push_back(title);
        for (int row = 0; row < 40; ++row) {
            TPagePrimitive text = title;
            text.rect = QRect(60, 90 + row * 22, size.width() - 120, 18);
            text.text = QString::fromUtf8("שלוחה %1 שיחות %2").arg(200 + row).arg(n * 100 + row);
            page.items.push_back(text);
            TPagePrimitive line;
            line.kind = TPrimitiveKind::Line;
            line.rect = QRect(60, 108 + row * 22, size.width() - 120, 1);
            page.items.push_back(line);
        }
        store.AddPage(page);
    }
}

// TRVL.PAR and CLIENT.PAR live in a fresh folder for the life of the object.
class TTestInstallation
{
public:
    TTestInstallation()
    {
        qputenv("TARVEL_HOME", m_dir.path().toUtf8());
        ResolvePaths();
    }
    ~TTestInstallation()
    {
        qunsetenv("TARVEL_HOME");
        ResolvePaths();
    }
    QString path(const QString &name = QString()) const { return m_dir.path(name); }
    TTestDir &dir() { return m_dir; }

private:
    TTestDir m_dir;
};

// Records every message and answers questions as told.
class TMessageCapture
{
public:
    explicit TMessageCapture(bool answerYes = true)
        : m_answerYes(answerYes)
    {
        SetMessageHandler([this](const QString &text, const QString &, int, int buttons) {
            m_texts.append(text);
            if (buttons & mbYes)
                return m_answerYes ? int(mrYes) : int(mrNo);
            return int(mrOk);
        });
    }
    ~TMessageCapture() { SetMessageHandler({}); }
    // How the next questions are answered.
    void SetAnswerYes(bool answerYes) { m_answerYes = answerYes; }
    // The messages shown so far, in order.
    const QStringList &Texts() const { return m_texts; }

private:
    bool m_answerYes;
    QStringList m_texts;
};

// A preview window on screen, in a private installation, with a store the test fills.
class TShownPreview : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AdminMode = true;
        window = std::make_unique<TfrmReportPreview>(QStringLiteral("/tmp/report.srp"), QIcon());
        window->resize(1000, 700);
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (window && window->isVisible())
            window->close();
        window.reset();
    }
    // A report of n pages that has been generated to the end.
    void generate(int pages, bool landscape = false, bool hasGraph = false)
    {
        window->SetStore(&store);
        FillStore(store, pages, landscape);
        window->ReportDone(hasGraph);
    }

    TTestInstallation installation;
    TPageStore store;
    std::unique_ptr<TfrmReportPreview> window;
};
