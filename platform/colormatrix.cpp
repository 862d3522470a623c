#include "colormatrix.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

QImage ApplyColorMatrix(const QImage& picture, const ColorMatrix& matrix) {
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const float in[5] = {qRed(line[x]) / 255.0f, qGreen(line[x]) / 255.0f,
                                 qBlue(line[x]) / 255.0f, qAlpha(line[x]) / 255.0f, 1.0f};
            int out[4];
            for (int c = 0; c < 4; ++c) {
                float sum = 0;
                for (int r = 0; r < 5; ++r) {
                    sum += in[r] * matrix[r][c];
                }
                out[c] = std::clamp(static_cast<int>(std::lround(sum * 255.0f)), 0, 255);
            }
            line[x] = qRgba(out[0], out[1], out[2], out[3]);
        }
    }
    return result;
}

}  // namespace tavrel
