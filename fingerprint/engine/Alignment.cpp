#include "Alignment.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fp {

// Four cells at a time where the reference's cells are the usual power of two,
// in the same arithmetic as one at a time.
void referenceCellsUnderRow(const TemplateData& d, const TemplateData& e, const Motion& motion,
                            int cy, int step, int* under)
{
    const float side = static_cast<float>(d.areaCell);
    const float y = (static_cast<float>(cy) + 0.5f) * side;
    int cx = 0, k = 0;
#if defined(__SSE2__)
    if (e.areaCell > 0 && (e.areaCell & (e.areaCell - 1)) == 0) { // a power of two
        const __m128i shift =
            _mm_cvtsi32_si128(std::countr_zero(static_cast<unsigned>(e.areaCell)));
        const __m128 cos = _mm_set1_ps(motion.cos), sin = _mm_set1_ps(motion.sin);
        const __m128 minusSin = _mm_set1_ps(-motion.sin);
        const __m128 dy = _mm_sub_ps(_mm_set1_ps(y), _mm_set1_ps(motion.ty));
        const __m128i cols = _mm_set1_epi32(e.areaCols), rows = _mm_set1_epi32(e.areaRows);
        for (; cx + 3 * step < d.areaCols; cx += 4 * step, k += 4) {
            const __m128i column =
                _mm_add_epi32(_mm_set1_epi32(cx),
                              _mm_mullo_epi16(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(step)));
            const __m128 x = _mm_mul_ps(_mm_add_ps(_mm_cvtepi32_ps(column), _mm_set1_ps(0.5f)),
                                        _mm_set1_ps(side));
            const __m128 dx = _mm_sub_ps(x, _mm_set1_ps(motion.tx));
            const __m128 ox = _mm_add_ps(_mm_mul_ps(cos, dx), _mm_mul_ps(sin, dy));
            const __m128 oy = _mm_add_ps(_mm_mul_ps(minusSin, dx), _mm_mul_ps(cos, dy));
            const __m128i ix = _mm_sra_epi32(_mm_cvttps_epi32(ox), shift);
            const __m128i iy = _mm_sra_epi32(_mm_cvttps_epi32(oy), shift);
            // Outside: below 0 (either coordinate) or at or beyond the last column or row.
            const __m128 zero = _mm_setzero_ps();
            const __m128i outside = _mm_or_si128(
                _mm_castps_si128(_mm_or_ps(_mm_cmplt_ps(ox, zero), _mm_cmplt_ps(oy, zero))),
                _mm_or_si128(_mm_cmpgt_epi32(ix, _mm_sub_epi32(cols, _mm_set1_epi32(1))),
                             _mm_cmpgt_epi32(iy, _mm_sub_epi32(rows, _mm_set1_epi32(1)))));
            // iy * cols + ix, in 16-bit products: both below 256.
            const __m128i index = _mm_add_epi32(_mm_mullo_epi16(iy, cols), ix);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(under + k), _mm_or_si128(index, outside));
        }
    }
#endif
    for (; cx < d.areaCols; cx += step, ++k) {
        float x, yr;
        motion.invert((static_cast<float>(cx) + 0.5f) * side, y, x, yr);
        under[k] = e.cellAt(x, yr);
    }
}

} // namespace fp
