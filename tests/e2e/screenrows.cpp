// Reads list rows off a screenshot, for the end-to-end test that drives the
// editor with the real pointer and checks what a person would see.
//
//   screenrows selected SHOT.png
//       one line "x y width height" for each selected list row: a band of
//       saturated pixels of one hue (the style may shade it) at least 150
//       pixels wide and 8 to 60 high, whose first and last columns keep that
//       hue all the way down (the text inside never reaches them). Left to
//       right, then top to bottom.
//   screenrows written SHOT.png X Y WIDTH HEIGHT ROWS
//       how many rows of HEIGHT pixels, from (X, Y) down, carry text (pixels
//       that stand out from the row's own background) before the first that
//       carries none; at most ROWS.
//
// Exit status 0, or 2 for a usage error or an unreadable picture.

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Saturated and of about the given hue: shades of one highlight colour, not
// white text, grey frames or the rainbow of the colour bar.
bool ofHue(QRgb pixel, int hue) {
    const QColor colour(pixel);
    const int distance = std::abs(colour.hsvHue() - hue);
    return colour.hsvSaturation() >= 80 && std::min(distance, 360 - distance) <= 20;
}

QList<QRect> selectedRows(const QImage& shot) {
    constexpr int MinWidth = 150, MinHeight = 8, MaxHeight = 60;
    QList<QRect> bands;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width();) {
            const int hue = QColor(shot.pixel(x, y)).hsvHue();
            int end = x + 1;
            while (end < shot.width() && ofHue(shot.pixel(end, y), hue))
                ++end;
            const bool known = std::any_of(bands.cbegin(), bands.cend(),
                                           [&](const QRect& band) { return band.contains(x, y); });
            if (end - x >= MinWidth && ofHue(shot.pixel(x, y), hue) && !known) {
                int bottom = y;
                while (bottom + 1 < shot.height() && ofHue(shot.pixel(x, bottom + 1), hue) &&
                       ofHue(shot.pixel(end - 1, bottom + 1), hue))
                    ++bottom;
                const QRect band(QPoint(x, y), QPoint(end - 1, bottom));
                if (band.height() >= MinHeight && band.height() <= MaxHeight)
                    bands.append(band);
            }
            x = end;
        }
    }
    std::sort(bands.begin(), bands.end(), [](const QRect& a, const QRect& b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    });
    return bands;
}

bool carriesText(const QImage& shot, const QRect& row) {
    QHash<QRgb, int> counts;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x)
            ++counts[shot.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair(it.key(), it.value());
    // Anti-aliased edges differ a little; glyph strokes differ a lot.
    int strokes = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (std::abs(qGray(it.key()) - qGray(background)) > 96)
            strokes += it.value();
    return strokes >= 10;
}

int usage() {
    std::fputs("usage: screenrows selected SHOT.png\n"
               "       screenrows written SHOT.png X Y WIDTH HEIGHT ROWS\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3)
        return usage();
    const QImage shot(QString::fromLocal8Bit(argv[2]));
    if (shot.isNull()) {
        std::fprintf(stderr, "screenrows: cannot read %s\n", argv[2]);
        return 2;
    }
    const QByteArray command = argv[1];
    if (command == "selected" && argc == 3) {
        for (const QRect& band : selectedRows(shot))
            std::printf("%d %d %d %d\n", band.x(), band.y(), band.width(), band.height());
        return 0;
    }
    if (command == "written" && argc == 8) {
        int values[5];
        for (int i = 0; i < 5; ++i) {
            bool ok = false;
            values[i] = QByteArray(argv[3 + i]).toInt(&ok);
            if (!ok || values[i] < 0)
                return usage();
        }
        const auto [x, y, width, height, rows] = values;
        const QRect picture = shot.rect();
        int written = 0;
        for (; written < rows; ++written) {
            const QRect rect = QRect(x, y + written * height, width, height) & picture;
            if (rect.isEmpty() || !carriesText(shot, rect))
                break;
        }
        std::printf("%d\n", written);
        return 0;
    }
    return usage();
}
