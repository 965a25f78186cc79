#include "Compress.h"

#include <zlib.h>

#include <stdexcept>

namespace linkrake::test {

std::string compress(std::string_view data, Wrapping wrapping) {
    z_stream stream{};
    const int windowBits = wrapping == Wrapping::Gzip ? 15 + 16 : 15;
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("zlib would not start");
    }
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        throw std::runtime_error("zlib did not finish");
    }
    return out;
}

}  // namespace linkrake::test
