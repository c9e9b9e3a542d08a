#pragma once
// The pictures of the thumbnails last drawn, so scrolling back does not draw them again. It
// holds at most a set number of pictures and a set number of bytes: however long the report,
// the thumbnail panel never keeps more than a screenful or two.
#include <QImage>

#include <list>
#include <unordered_map>

class TThumbnailCache
{
public:
    static constexpr int kDefaultCount = 64;
    static constexpr qint64 kDefaultBytes = 16 * 1024 * 1024;

    explicit TThumbnailCache(int maxCount = kDefaultCount, qint64 maxBytes = kDefaultBytes);

    // The picture of page n, or a null image when it is not kept; a hit makes it the newest.
    QImage Find(int page);
    // Keeps the picture of page n, letting the pictures used longest ago go to stay in bounds.
    void Insert(int page, const QImage &image);
    void Clear();

    int Count() const { return int(m_order.size()); }
    qint64 Bytes() const { return m_bytes; }
    bool Contains(int page) const { return m_index.count(page) != 0; }

private:
    struct TEntry {
        int page;
        QImage image;
    };
    int m_maxCount;
    qint64 m_maxBytes;
    qint64 m_bytes = 0;
    std::list<TEntry> m_order; // newest first
    std::unordered_map<int, std::list<TEntry>::iterator> m_index;
};
