#include "app/ThumbnailCache.h"

TThumbnailCache::TThumbnailCache(int maxCount, qint64 maxBytes)
    : m_maxCount(qMax(1, maxCount))
    , m_maxBytes(qMax<qint64>(1, maxBytes))
{
}

QImage TThumbnailCache::Find(int page)
{
    const auto it = m_index.find(page);
    if (it == m_index.end())
        return QImage();
    m_order.splice(m_order.begin(), m_order, it->second);
    return it->second->image;
}

void TThumbnailCache::Insert(int page, const QImage &image)
{
    const qint64 bytes = image.sizeInBytes();
    if (bytes > m_maxBytes)
        return; // one picture larger than the whole cache is not kept
    if (const auto it = m_index.find(page); it != m_index.end()) {
        m_bytes -= it->second->image.sizeInBytes();
        m_order.erase(it->second);
        m_index.erase(it);
    }
    m_order.push_front({page, image});
    m_index[page] = m_order.begin();
    m_bytes += bytes;
    while (int(m_order.size()) > m_maxCount || m_bytes > m_maxBytes) {
        const TEntry &oldest = m_order.back();
        m_bytes -= oldest.image.sizeInBytes();
        m_index.erase(oldest.page);
        m_order.pop_back();
    }
}

void TThumbnailCache::Clear()
{
    m_order.clear();
    m_index.clear();
    m_bytes = 0;
}
