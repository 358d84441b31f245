// Reading ahead of the inserts. The feed starts one thread that reads the
// source and converts its features into chunks of rows; the inserting
// thread takes the chunks in order. Between them sits a fixed set of
// chunks, each closed at kChunkRows rows or kChunkBytes of values, so memory
// stays flat however large the class and its geometries are, and the reader
// is never more than a few chunks ahead.
//
// A chunk that ends in a failure carries it together with the failing row;
// the inserting thread throws it when it reaches that row, after every row
// before it, exactly where the plain feed would have thrown. The chunk of
// the row last handed out is kept until the next row is, so that the row
// stays readable (to name the feature an insert failed on) even after the
// end. Destroying the feed stops the reading thread and joins it: after
// that the reader is the caller's alone again.
#include "transfer/ReadAheadFeed.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

namespace gxf {

namespace {

constexpr size_t kChunkRows = 512;
constexpr size_t kChunkBytes = size_t(4) << 20;
constexpr size_t kChunks = 4;

struct Chunk {
    // Room for kChunkRows rows and the row that failed.
    std::vector<FdoPtr<FdoLiteralValue>> values;
    size_t rows = 0;
    bool last = false;  // nothing follows: the reader ended or failed
    FdoException* failure = nullptr;
    std::exception_ptr otherFailure;

    bool Failed() const { return failure || otherFailure; }
    void Reset() {
        rows = 0;
        last = false;
        FDO_SAFE_RELEASE(failure);
        otherFailure = nullptr;
    }
    ~Chunk() { FDO_SAFE_RELEASE(failure); }
};

class ReadAheadFeed : public RowFeed {
public:
    ReadAheadFeed(FdoIFeatureReader* reader, RowConversion& conversion)
        : m_reader(FDO_SAFE_ADDREF(reader)), m_conversion(conversion), m_width(conversion.Width()) {
        for (size_t i = 0; i < kChunks; i++) {
            auto chunk = std::make_unique<Chunk>();
            // At least one slot, so that a row of no values is still a row.
            chunk->values.resize(std::max<size_t>(1, (kChunkRows + 1) * m_width));
            m_free.push_back(std::move(chunk));
        }
        m_thread = std::thread([this] { Produce(); });
    }

    ~ReadAheadFeed() override {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }

    const FdoPtr<FdoLiteralValue>* Next() override {
        if (m_ended) return nullptr;
        if (!m_chunk || m_row == m_chunk->rows) {
            if (m_chunk && m_chunk->last && !m_chunk->Failed()) return End();
            if (!m_chunk || !m_chunk->Failed()) {
                std::unique_ptr<Chunk> next = Take();
                // An empty last chunk is the end; the row handed out last
                // stays where it is.
                if (next->rows == 0 && next->last && !next->Failed()) {
                    Recycle(std::move(next));
                    return End();
                }
                Recycle(std::move(m_chunk));
                m_chunk = std::move(next);
                m_row = 0;
            }
            if (m_row == m_chunk->rows) Throw();
        }
        m_current = RowAt(m_row++);
        return m_current;
    }

private:
    const FdoPtr<FdoLiteralValue>* RowAt(size_t row) const { return m_chunk->values.data() + row * m_width; }

    const FdoPtr<FdoLiteralValue>* End() {
        m_ended = true;
        return nullptr;
    }

    // Throws the failure of the current chunk, at its failing row.
    [[noreturn]] void Throw() {
        m_current = RowAt(m_chunk->rows);
        m_ended = true;
        if (m_chunk->failure) {
            FdoException* failure = m_chunk->failure;
            m_chunk->failure = nullptr;
            throw failure;
        }
        std::rethrow_exception(m_chunk->otherFailure);
    }

    std::unique_ptr<Chunk> Take() {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [this] { return !m_ready.empty(); });
        std::unique_ptr<Chunk> chunk = std::move(m_ready.front());
        m_ready.pop_front();
        return chunk;
    }

    void Recycle(std::unique_ptr<Chunk> chunk) {
        if (!chunk) return;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_free.push_back(std::move(chunk));
        }
        m_changed.notify_all();
    }

    // The reading thread.
    void Produce() {
        for (;;) {
            std::unique_ptr<Chunk> chunk;
            {
                std::unique_lock<std::mutex> hold(m_lock);
                m_changed.wait(hold, [this] { return m_stop || !m_free.empty(); });
                if (m_stop) return;
                chunk = std::move(m_free.back());
                m_free.pop_back();
            }
            Fill(*chunk);
            const bool last = chunk->last;
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_ready.push_back(std::move(chunk));
            }
            m_changed.notify_all();
            if (last) return;
        }
    }

    void Fill(Chunk& chunk) {
        chunk.Reset();
        size_t bytes = 0;
        try {
            while (chunk.rows < kChunkRows && bytes < kChunkBytes) {
                if (!m_reader->ReadNext()) {
                    chunk.last = true;
                    return;
                }
                bytes += m_conversion.Convert(m_reader, chunk.values.data() + chunk.rows * m_width);
                chunk.rows++;
            }
        } catch (FdoException* e) {
            chunk.failure = e;
            chunk.last = true;
        } catch (...) {
            chunk.otherFailure = std::current_exception();
            chunk.last = true;
        }
    }

    FdoPtr<FdoIFeatureReader> m_reader;
    RowConversion& m_conversion;
    const size_t m_width;

    // The inserting thread's side.
    std::unique_ptr<Chunk> m_chunk;
    size_t m_row = 0;
    bool m_ended = false;

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<Chunk>> m_ready;  // filled, in reading order
    std::vector<std::unique_ptr<Chunk>> m_free;
    bool m_stop = false;
    std::thread m_thread;  // last: started once everything above exists
};

}  // namespace

std::unique_ptr<RowFeed> MakeReadAheadFeed(FdoIFeatureReader* reader, RowConversion& conversion) {
    return std::make_unique<ReadAheadFeed>(reader, conversion);
}

}  // namespace gxf
