#pragma once

#include <set>
#include <string>
#include <vector>

#include "catalogviews.h"
#include "decimaltext.h"

namespace tavrel::test {

// Every binding of the catalog, recording what it is told in one log, in
// order, so tests can check both the calls and their sequence.
class CallLog {
public:
    void Add(std::string call) { m_calls.push_back(std::move(call)); }
    const std::vector<std::string>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }

private:
    std::vector<std::string> m_calls;
};

template <class View>
class FakeList : public View {
public:
    explicit FakeList(CallLog* log, std::string name) : m_log(log), m_name(std::move(name)) {}

    void DeleteAllRows() override {
        m_log->Add(m_name + " clear");
        highlighted.clear();
    }
    void SetRowHighlighted(int row, bool on) override {
        if (on) {
            highlighted.insert(row);
        } else {
            highlighted.erase(row);
        }
    }
    void EnsureRowVisible(int row) override { m_log->Add(m_name + " show " + std::to_string(row)); }

    std::set<int> highlighted;

protected:
    CallLog* m_log;
    std::string m_name;
};

class FakeGroupList : public FakeList<GroupListView> {
public:
    explicit FakeGroupList(CallLog* log) : FakeList(log, "groups") {}
    bool AddGroupRow(const GroupListRow& row) override {
        rows.push_back(row);
        return true;
    }
    bool IsGroupChecked(int groupNumber) const override { return checked.count(groupNumber) != 0; }

    std::vector<GroupListRow> rows;
    std::set<int> checked;  // group numbers
};

class FakeFileList : public FakeList<FileListView> {
public:
    explicit FakeFileList(CallLog* log) : FakeList(log, "files") {}
    bool AddFileRow(const FileListRow& row) override {
        rows.push_back(row);
        return true;
    }

    std::vector<FileListRow> rows;
};

class FakeGraph : public GSensorGraphView {
public:
    explicit FakeGraph(CallLog* log) : m_log(log) {}
    void ClearSamples() override {
        samples.clear();
        m_log->Add("graph clear");
    }
    void RepaintNow() override { m_log->Add("graph repaint"); }
    void SetScale(double fullScale, double range) override {
        m_log->Add("graph scale " + std::to_string(static_cast<int>(fullScale)) + " " +
                   std::to_string(static_cast<int>(range)));
    }
    void AddSample(const GSensorSample& sample) override { samples.push_back(sample); }
    void SetSampleRate(double samplesPerMs) override {
        rate = samplesPerMs;
        m_log->Add("graph rate");
    }
    void SetPosition(std::uint32_t playingMs) override {
        m_log->Add("graph position " + std::to_string(playingMs));
    }
    void SetStopped(bool stopped) override {
        m_log->Add(stopped ? "graph stopped" : "graph running");
    }

    std::vector<GSensorSample> samples;
    double rate = 0;

private:
    CallLog* m_log;
};

// Logs each call by its name, points as "latitude,longitude" with six
// decimals, the precision the map is drawn with.
class FakeMap : public TrackMap {
public:
    explicit FakeMap(CallLog* log) : m_log(log) {}
    void ClearRecordingTrack() override { m_log->Add("ClearRecordingTrack"); }
    void PlotPoint(GeoPoint point) override { Add("PlotPoint", point); }
    void ClearDrivenPath() override { m_log->Add("ClearDrivenPath"); }
    void PlotDrivenPoint(GeoPoint point) override { Add("PlotDrivenPoint", point); }
    void BeginRunTrack() override { m_log->Add("BeginRunTrack"); }
    void PlotRunTrackPoint(GeoPoint point) override { Add("PlotRunTrackPoint", point); }
    void EndRunTrack() override { m_log->Add("EndRunTrack"); }
    void ClearRunTracks() override { m_log->Add("ClearRunTracks"); }
    void MoveMarker(GeoPoint point) override { Add("MoveMarker", point); }

private:
    void Add(const std::string& call, GeoPoint point) {
        m_log->Add(call + " " + FormatFixed6(point.latitude) + "," + FormatFixed6(point.longitude));
    }

    CallLog* m_log;
};

class FakeReadouts : public CompassView, public SpeedView {
public:
    explicit FakeReadouts(CallLog* log) : m_log(log) {}
    void SetHeading(int degrees) override { m_log->Add("heading " + std::to_string(degrees)); }
    void ShowNoHeading() override { m_log->Add("no heading"); }
    void SetSpeed(bool visible, std::uint16_t speedKmh) override {
        m_log->Add(visible ? "speed " + std::to_string(speedKmh) : std::string("no speed"));
    }

private:
    CallLog* m_log;
};

class FakeOwner : public CatalogOwner,
                  public StatusBoardView,
                  public UserQuestions,
                  public VideoSurfaceView {
public:
    explicit FakeOwner(CallLog* log) : m_log(log) {}
    void ApplyMapEnabled(bool on) override { m_log->Add(on ? "map on" : "map off"); }
    void SetProgress(int percent) override { m_log->Add("progress " + std::to_string(percent)); }
    void HideBoard() override { m_log->Add("board hidden"); }
    bool ConfirmOverwrite(const std::string& path) override {
        m_log->Add("overwrite? " + path);
        return overwriteAnswer;
    }
    void ShowScanCounter(int count) override { counters.push_back(count); }

    bool overwriteAnswer = false;
    std::vector<int> counters;

private:
    CallLog* m_log;
};

}  // namespace tavrel::test
