#pragma once

#include <QtGlobal>

namespace tavrel {

// The entries of the program's string tables. The numbers are the tables'
// keys and never change; the code names them here and nowhere else.
enum class StringId : uint {
    AboutItem = 101,
    PlayerError = 102,
    StartupFailed = 103,
    SelectMedia = 104,
    MapPageName = 105,
    ChinaMapPageName = 106,
    Ok = 107,
    Cancel = 108,
    Apply = 109,
    ConfigCaption = 110,
    Disk = 111,
    FolderLabel = 112,
    FileLabel = 113,
    SelectLanguage = 114,
    SelectMap = 115,
    GroupColumn = 116,
    ResolutionColumn = 117,
    StartTimeColumn = 118,
    LengthColumn = 119,
    FileSizeColumn = 120,
    IdColumn = 121,
    FileNameColumn = 122,
    EndTimeColumn = 123,
    FolderColumn = 124,
    KmlSaved = 125,
    KmlFailed = 126,
    KmlCaption = 127,
    DeleteCaption = 128,
    DeleteQuestion = 129,
    SelectFolder = 130,
    WarningCaption = 131,
    FolderMissing = 132,
    EngineLoadFailed = 133,
    PlayPauseTip = 134,
    NothingTicked = 135,
    ListEmpty = 136,
    SmallWindowTip = 137,
    MediumWindowTip = 138,
    LargeWindowTip = 139,
    OverwriteCaption = 140,
    OverwriteQuestion = 141,
    RestoreWindowTip = 142,
    AutoPlayNextOffTip = 143,
    ConfirmSelection = 144,
    OkButton = 145,
    OpenTip = 179,
    SnapshotTip = 180,
    SaveAsTip = 181,
    DeleteTip = 182,
    ConfigurationTip = 183,
    SlowerTip = 184,
    StopTip = 185,
    FasterTip = 186,
    VolumeTip = 187,
    MuteTip = 188,
    AutoPlayNextTip = 189,
    RotateTip = 190,
    KmlTip = 191,
    MapTip = 192,
    GSensorTip = 193,
    UnlockTip = 194,
    CloseTip = 195,
    MaximiseTip = 196,
    MinimiseTip = 197,
    AboutTip = 198,
    SpeedUnitTip = 199,
};

constexpr uint Number(StringId id) {
    return static_cast<uint>(id);
}

}  // namespace tavrel
