#include "extract/LinkCandidates.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace linkrake {
namespace {

inline bool IsPair(const char* at) {
  return (at[0] == ':' && at[1] == '/') || (at[0] == '=' && at[1] == '"');
}

}  // namespace

std::size_t FindLinkCandidate(const char* data, std::size_t from, std::size_t end) {
  std::size_t i = from;
#if defined(__SSE2__)
  const __m128i colon = _mm_set1_epi8(':');
  const __m128i slash = _mm_set1_epi8('/');
  const __m128i equals = _mm_set1_epi8('=');
  const __m128i quote = _mm_set1_epi8('"');
  // Two 16-byte windows a byte apart: a pair starts at i + k when window 1 holds its first
  // byte at k and window 2 its second.
  while (i + 33 <= end) {
    const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
    const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 16));
    const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 17));
    const __m128i m0 =
        _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(a0, colon), _mm_cmpeq_epi8(b0, slash)),
                     _mm_and_si128(_mm_cmpeq_epi8(a0, equals), _mm_cmpeq_epi8(b0, quote)));
    const __m128i m1 =
        _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(a1, colon), _mm_cmpeq_epi8(b1, slash)),
                     _mm_and_si128(_mm_cmpeq_epi8(a1, equals), _mm_cmpeq_epi8(b1, quote)));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(m0)) |
                          (static_cast<unsigned>(_mm_movemask_epi8(m1)) << 16);
    if (mask != 0) return i + static_cast<std::size_t>(std::countr_zero(mask));
    i += 32;
  }
#endif
  for (; i + 1 < end; ++i) {
    if (IsPair(data + i)) return i;
  }
  return end;
}

}  // namespace linkrake
