#pragma once

#include <QImage>

// Every picture of the program, each drawn at the size it is shown at.
namespace artwork {

// Transport row: discs, 48 x 48 for play and pause, 40 x 40 for the rest.
QImage Play();
QImage Pause();
QImage Stop();
QImage Faster();
QImage Slower();

// File commands at the bottom left, 48 x 36.
QImage Open();
QImage Snapshot();
QImage SaveAs();
QImage Delete();

// Switches and exports at the bottom right, 32 x 32.
QImage AutoPlayNextOn();
QImage AutoPlayNextOff();
QImage Kml();
QImage Map();
QImage GSensor();
QImage Unlock();
QImage Rotate();  // turn the picture by 180 degrees

// Window buttons in the top bar, 25 x 25, and the size presets, 16 x 16.
QImage Close();
QImage Maximise();
QImage Minimise();
QImage About();
QImage SmallWindow();
QImage MediumWindow();
QImage LargeWindow();

// Volume on and muted, 12 x 24.
QImage Volume();
QImage Muted();

// Read-outs and marks.
QImage GpsIndicator();               // 32 x 32 satellite dish
QImage Logo();                       // 40 x 40 car
QImage Compass(int eighthsOfATurn);  // 48 x 48 rose turned clockwise
QImage MapMarker();                  // 32 x 24 car seen from the front
QImage Eraser();                     // 32 x 32
QImage AboutLogo();                  // 128 x 128
QImage ApplicationIcon();            // 256 x 256

// Bitmaps.
QImage LockCells();     // 96 x 24: four list-row images on magenta
QImage CheckMark();     // 32 x 32 with alpha
QImage ProgressTile();  // 30 x 30 glossy blue band

}  // namespace artwork
