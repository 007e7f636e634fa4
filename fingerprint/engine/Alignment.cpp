#include "Alignment.h"

#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fp {

// Four points at a time where the reference's cells are the usual power of two,
// in the same arithmetic as one at a time.
void referenceCellsUnder(const TemplateData& e, const Motion& motion, const float* xs,
                         const float* ys, int n, int* under)
{
    int k = 0;
#if defined(__SSE2__)
    if (e.areaCell > 0 && (e.areaCell & (e.areaCell - 1)) == 0) { // a power of two
        const __m128i shift =
            _mm_cvtsi32_si128(std::countr_zero(static_cast<unsigned>(e.areaCell)));
        const __m128 cos = _mm_set1_ps(motion.cos), sin = _mm_set1_ps(motion.sin);
        const __m128 minusSin = _mm_set1_ps(-motion.sin);
        const __m128 tx = _mm_set1_ps(motion.tx), ty = _mm_set1_ps(motion.ty);
        const __m128i lastColumn = _mm_set1_epi32(e.areaCols - 1);
        const __m128i lastRow = _mm_set1_epi32(e.areaRows - 1);
        const __m128i cols = _mm_set1_epi32(e.areaCols);
        for (; k + 4 <= n; k += 4) {
            const __m128 dx = _mm_sub_ps(_mm_loadu_ps(xs + k), tx);
            const __m128 dy = _mm_sub_ps(_mm_loadu_ps(ys + k), ty);
            const __m128 ox = _mm_add_ps(_mm_mul_ps(cos, dx), _mm_mul_ps(sin, dy));
            const __m128 oy = _mm_add_ps(_mm_mul_ps(minusSin, dx), _mm_mul_ps(cos, dy));
            const __m128i ix = _mm_sra_epi32(_mm_cvttps_epi32(ox), shift);
            const __m128i iy = _mm_sra_epi32(_mm_cvttps_epi32(oy), shift);
            // Outside: below 0 (either coordinate) or beyond the last column or row.
            const __m128 zero = _mm_setzero_ps();
            const __m128i outside = _mm_or_si128(
                _mm_castps_si128(_mm_or_ps(_mm_cmplt_ps(ox, zero), _mm_cmplt_ps(oy, zero))),
                _mm_or_si128(_mm_cmpgt_epi32(ix, lastColumn), _mm_cmpgt_epi32(iy, lastRow)));
            // iy * cols + ix, in 16-bit products: both below 256.
            const __m128i index = _mm_add_epi32(_mm_mullo_epi16(iy, cols), ix);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(under + k), _mm_or_si128(index, outside));
        }
    }
#endif
    for (; k < n; ++k) {
        float x, y;
        motion.invert(xs[k], ys[k], x, y);
        under[k] = e.cellAt(x, y);
    }
}

void referenceCellsUnderRow(const TemplateData& d, const TemplateData& e, const Motion& motion,
                            int cy, int step, int* under)
{
    const float side = static_cast<float>(d.areaCell);
    std::array<float, kMaxAreaCells> xs, ys;
    int n = 0;
    for (int cx = 0; cx < d.areaCols; cx += step, ++n) {
        xs[n] = (static_cast<float>(cx) + 0.5f) * side;
        ys[n] = (static_cast<float>(cy) + 0.5f) * side;
    }
    referenceCellsUnder(e, motion, xs.data(), ys.data(), n, under);
}

} // namespace fp
