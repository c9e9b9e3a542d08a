// The page store: pages spilled to disk come back exactly, shared fonts and images, page files.
#include "engine/PageCodec.h"
#include "engine/PageFile.h"
#include "engine/PageStore.h"
#include "support/TestFiles.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

TPage samplePage(int n, quint16 font, quint16 image)
{
    TPage page;
    page.size = QSize(794, 1123);
    TPagePrimitive text;
    text.kind = TPrimitiveKind::Text;
    text.rect = QRect(10, 20 + n, 300, 15);
    text.text = QString::fromUtf8("שלוחה %1 (17): ₪").arg(n);
    text.font = font;
    text.flags = Qt::AlignRight | Qt::AlignTop;
    text.rightToLeft = true;
    text.color = 0xFF102030;
    page.items.push_back(text);
    TPagePrimitive line;
    line.kind = TPrimitiveKind::Line;
    line.rect = QRect(-5, 40, 200, 2);
    line.penWidth = 2;
    page.items.push_back(line);
    TPagePrimitive rect;
    rect.kind = TPrimitiveKind::Rect;
    rect.rect = QRect(1, 2, 3, 4);
    rect.hasFill = true;
    rect.fill = 0xFFC0C0C0;
    rect.hasPen = false;
    page.items.push_back(rect);
    TPagePrimitive picture;
    picture.kind = TPrimitiveKind::Image;
    picture.rect = QRect(5, 5, 50, 40);
    picture.image = image;
    page.items.push_back(picture);
    return page;
}

void expectSamePage(const TPage &a, const TPage &b)
{
    ASSERT_EQ(a.size, b.size);
    ASSERT_EQ(a.items.size(), b.items.size());
    for (size_t i = 0; i < a.items.size(); ++i) {
        const TPagePrimitive &x = a.items[i], &y = b.items[i];
        EXPECT_EQ(x.kind, y.kind);
        EXPECT_EQ(x.rect, y.rect);
        EXPECT_EQ(x.text, y.text);
        EXPECT_EQ(x.font, y.font);
        EXPECT_EQ(x.image, y.image);
        EXPECT_EQ(x.flags, y.flags);
        EXPECT_EQ(x.rightToLeft, y.rightToLeft);
        EXPECT_EQ(x.color, y.color);
        EXPECT_EQ(x.hasFill, y.hasFill);
        EXPECT_EQ(x.hasPen, y.hasPen);
        if (x.hasFill) {
            EXPECT_EQ(x.fill, y.fill);
        }
        EXPECT_EQ(x.penWidth, y.penWidth);
    }
}

} // namespace

TEST(PageStore, ManyPagesComeBackExactlyInAnyOrder)
{
    TPageStore store;
    int addedCount = 0, lastCount = 0;
    QObject::connect(&store, &TPageStore::PageAdded, [&](int n) { ++addedCount; lastCount = n; });
    const quint16 font = store.AddFont(QFont(QStringLiteral("Arial")));
    QImage logo(20, 10, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const quint16 image = store.AddImage(logo);
    EXPECT_EQ(store.AddImage(logo), image);
    EXPECT_EQ(store.AddFont(QFont(QStringLiteral("Arial"))), font);
    for (int i = 0; i < 500; ++i)
        store.AddPage(samplePage(i, font, image));
    EXPECT_EQ(store.PageCount(), 500);
    EXPECT_EQ(addedCount, 500);
    EXPECT_EQ(lastCount, 500);
    for (int i : {499, 0, 250, 1, 498, 0})
        expectSamePage(store.Page(i), samplePage(i, font, image));
    EXPECT_TRUE(store.Page(500).items.empty());
    EXPECT_TRUE(store.Page(-1).items.empty());
}

TEST(PageStore, DamagedBytesAreNotAPage)
{
    const QByteArray bytes = EncodePage(samplePage(3, 0, 0));
    TPage page;
    EXPECT_TRUE(DecodePage(bytes, page, 1, 1));
    EXPECT_FALSE(DecodePage(bytes.left(bytes.size() - 3), page, 1, 1));
    EXPECT_FALSE(DecodePage(bytes, page, 0, 1)); // a font the store lacks
    EXPECT_FALSE(DecodePage(QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff\xff"), page, 1, 1));
}

TEST(PageStore, PageFileRoundTripOfSpilledPages)
{
    TTestDir dir;
    TPageStore store;
    store.SetTitle(QStringLiteral("calls"));
    store.SetOrientation(TPageOrientation::Landscape);
    const quint16 font = store.AddFont(QFont(QStringLiteral("Arial")));
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    const quint16 image = store.AddImage(logo);
    for (int i = 0; i < 30; ++i)
        store.AddPage(samplePage(i, font, image));
    ASSERT_TRUE(SavePagesToFile(store, dir.path("a.qrp")));
    TPageStore loaded;
    ASSERT_TRUE(LoadPagesFromFile(loaded, dir.path("a.qrp")));
    EXPECT_EQ(loaded.PageCount(), 30);
    EXPECT_EQ(loaded.Title(), "calls");
    EXPECT_EQ(loaded.Orientation(), TPageOrientation::Landscape);
    EXPECT_TRUE(loaded.IsFinished());
    expectSamePage(loaded.Page(29), samplePage(29, font, image));

    TPageStore other;
    dir.write("b.qrp", "not a page file at all");
    EXPECT_FALSE(LoadPagesFromFile(other, dir.path("b.qrp")));
    EXPECT_EQ(other.PageCount(), 0);
}

TEST(PageStore, PageFilesOfTheFirstVersionStillOpen)
{
    TTestDir dir;
    QFile file(dir.path("old.qrp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_6_4);
    out << quint32(0x54515250) << quint32(1) << QStringLiteral("old") << quint8(0);
    out << quint32(1) << QFont(QStringLiteral("Arial")) << quint32(0);
    out << quint32(1) << QSize(794, 1123) << quint32(1);
    out << quint8(TPrimitiveKind::Text) << QRect(1, 2, 3, 4) << QStringLiteral("hello") << quint16(0)
        << quint32(Qt::AlignLeft) << false << QRgb(0xFF000000);
    file.close();
    TPageStore store;
    ASSERT_TRUE(LoadPagesFromFile(store, dir.path("old.qrp")));
    ASSERT_EQ(store.PageCount(), 1);
    ASSERT_EQ(store.Page(0).items.size(), 1u);
    EXPECT_EQ(store.Page(0).items[0].text, "hello");
    EXPECT_EQ(store.Page(0).items[0].rect, QRect(1, 2, 3, 4));
}

TEST(PageStore, SpillsIntoTheFolderItIsGiven)
{
    TTestDir dir;
    const QByteArray environment = qgetenv("TMPDIR");
    {
        TPageStore store;
        store.SetTemporaryFolder(dir.path(QString()));
        const quint16 font = store.AddFont(QFont(QStringLiteral("Arial")));
        QImage logo(20, 10, QImage::Format_RGB32);
        logo.fill(Qt::red);
        const quint16 image = store.AddImage(logo);
        store.AddPage(samplePage(0, font, image));
        store.AddPage(samplePage(1, font, image));
        // The spill file may have no name in the folder (Linux makes it unnamed); the open
        // files of the process tell where it is.
        int spilled = 0;
        for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
            if (fd.symLinkTarget().startsWith(dir.path(QString()) + QLatin1Char('/')))
                ++spilled;
        EXPECT_EQ(spilled, 1);
        expectSamePage(store.Page(1), samplePage(1, font, image));
    }
    // The process's environment is left alone.
    EXPECT_EQ(qgetenv("TMPDIR"), environment);
}
