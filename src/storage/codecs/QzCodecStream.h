#pragma once
#include "storage/stream/QzStream.h"

namespace kv {

// Common ground of the four codec streams: a finished-or-failed flag that
// stops all further transfers, and no seeking or telling.
class QzCodecStream : public QzStream {
  public:
    using QzStream::QzStream;

    void setError(QzError code) override {
        QzStream::setError(code);
        m_done = true;
    }
    bool atEnd() override { return m_done; }
    bool isCodec() const override { return true; }
    // Decoders have nothing to finish; encoders override this to flush.
    void endCodec() override {}

    // False when the stream's tables could not be allocated.
    virtual bool allocated() const = 0;

  protected:
    bool done() const { return m_done; }
    void markDone() { m_done = true; }

  private:
    bool m_done = false;
};

} // namespace kv
