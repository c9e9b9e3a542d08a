// Pages onto images and PDF files: sizes, resolution, every page present.
#include "engine/PageRender.h"
#include "engine/PageStore.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void addPage(TPageStore &store, QSize size, const QString &text)
{
    TPage page;
    page.size = size;
    TPagePrimitive p;
    p.kind = TPrimitiveKind::Text;
    p.rect = QRect(100, 100, 300, 30);
    p.text = text;
    p.font = store.AddFont(QFont(QStringLiteral("Arial"), 12));
    p.flags = Qt::AlignLeft | Qt::AlignTop;
    page.items.push_back(p);
    TPagePrimitive box;
    box.kind = TPrimitiveKind::Rect;
    box.rect = QRect(0, 0, 10, 10);
    box.hasFill = true;
    box.fill = 0xFFFF0000;
    box.hasPen = false;
    page.items.push_back(box);
    store.AddPage(page);
}

} // namespace

TEST(PageRender, ImagesScaleWithTheResolution)
{
    TPageStore store;
    addPage(store, QSize(794, 1123), QStringLiteral("x"));
    const QImage normal = RenderPageImage(store, 0, 96);
    EXPECT_EQ(normal.size(), QSize(794, 1123));
    EXPECT_EQ(normal.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(normal.pixelColor(15, 15), QColor(Qt::white));
    const QImage fine = RenderPageImage(store, 0, 192);
    EXPECT_EQ(fine.size(), QSize(1588, 2246));
    EXPECT_EQ(fine.pixelColor(18, 18), QColor(Qt::red));
    EXPECT_EQ(fine.pixelColor(22, 22), QColor(Qt::white));
}

TEST(PageRender, PdfHasEveryPageInItsOwnSize)
{
    TTestDir dir;
    TPageStore store;
    addPage(store, QSize(794, 1123), QStringLiteral("one"));
    addPage(store, QSize(1123, 794), QStringLiteral("two"));
    addPage(store, QSize(794, 1123), QStringLiteral("three"));
    ASSERT_TRUE(RenderPagesToPdf(store, dir.path("out.pdf")));
    const QByteArray pdf = dir.read("out.pdf");
    const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?!s)"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(pageObject), 3);
    // A4 in points, portrait, landscape, portrait.
    QStringList boxes;
    const QRegularExpression mediaBox(QStringLiteral("MediaBox \\[0 0 ([0-9.]+) ([0-9.]+) ?\\]"));
    for (auto it = mediaBox.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const auto m = it.next();
        boxes.append(QStringLiteral("%1x%2").arg(qRound(m.captured(1).toDouble())).arg(qRound(m.captured(2).toDouble())));
    }
    EXPECT_EQ(boxes, QStringList({"596x842", "842x596", "596x842"}));

    TPageStore empty;
    EXPECT_FALSE(RenderPagesToPdf(empty, dir.path("none.pdf")));
}
