#pragma once

#include <QBuffer>

// A buffer that takes only the first N bytes written to it, like a disk that fills up.
class FailDevice final : public QBuffer
{
public:
    explicit FailDevice(qint64 capacity) : m_capacity(capacity) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        const qint64 room = m_capacity - size();
        if (room <= 0)
            return -1;
        return QBuffer::writeData(data, qMin(len, room));
    }

private:
    qint64 m_capacity;
};
