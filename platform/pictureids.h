#pragma once

namespace tavrel {

// The program's built-in pictures and pages by resource number. The numbers
// name the resource files and never change; the code names them here and
// nowhere else.

// PNG pictures, ":/png/N.png".
enum class Picture : int {
    ApplicationIcon = 128,
    Play = 129,
    Pause = 132,
    Stop = 133,
    Faster = 136,
    Slower = 137,
    Open = 139,
    Snapshot = 140,
    SaveAs = 141,
    Delete = 142,
    AutoPlayNextOn = 143,
    Rotate = 144,
    Kml = 145,
    Map = 146,
    GSensor = 147,
    Unlock = 148,
    GpsIndicator = 150,
    Close = 151,
    Maximise = 152,
    Minimise = 153,
    About = 154,
    Muted = 155,
    Volume = 156,
    Logo = 157,
    // Eight compass roses follow, each turned 45 degrees further clockwise.
    CompassNorth = 167,
    AutoPlayNextOff = 176,
    MediumWindow = 187,
    LargeWindow = 188,
    SmallWindow = 1045,
};
inline constexpr int kCompassPictureCount = 8;

// Bitmaps, ":/bitmap/N.png".
enum class Bitmap : int {
    LockCells = 158,  // the list rows' images, 24 x 24 each
    CheckMark = 161,
    ProgressTile = 189,  // tiled over the status board's bar
};

// Pictures the pages show, ":/html/N" without a suffix, so that a page's
// relative reference "190" reaches them.
enum class PagePicture : int {
    MapMarker = 190,
    Eraser = 195,
    AboutLogo = 200,
};

// Pages, ":/html/N.html".
enum class Page : int {
    Map = 143,
    ChinaMap = 145,
    About = 192,
};

constexpr int Number(Picture picture) {
    return static_cast<int>(picture);
}
constexpr int Number(Bitmap bitmap) {
    return static_cast<int>(bitmap);
}
constexpr int Number(PagePicture picture) {
    return static_cast<int>(picture);
}
constexpr int Number(Page page) {
    return static_cast<int>(page);
}

}  // namespace tavrel
