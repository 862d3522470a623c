// The base under the tracks: OpenStreetMap tiles when the network answers,
// and below them a built-in world map of land and borders, so that the tracks
// and the marker always stand on something, online or not.
/* global L, topojson, WORLD_TOPOLOGY */

window.onerror = function () {
  return true;  // script errors never reach the user
};

function createBaseMap(center, zoom) {
  var map = L.map('map', {
    center: center,
    zoom: zoom,
    zoomControl: true,
    attributionControl: true,
    worldCopyJump: true,
  });

  map.createPane('offlineBase');
  map.getPane('offlineBase').style.zIndex = 150;  // below the tiles (200)
  L.geoJSON(topojson.feature(WORLD_TOPOLOGY, WORLD_TOPOLOGY.objects.countries), {
    pane: 'offlineBase',
    renderer: L.svg({pane: 'offlineBase'}),
    interactive: false,
    style: {color: '#8c8f94', weight: 1, fillColor: '#e4e2dc', fillOpacity: 1},
  }).addTo(map);

  L.control.scale({imperial: false}).addTo(map);

  L.tileLayer('https://tile.openstreetmap.org/{z}/{x}/{y}.png', {
    maxZoom: 19,
    attribution:
      '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> contributors',
  }).addTo(map);
  return map;
}

// A line that takes thousands of points one call at a time: the points are
// kept here at once and the drawn line takes them over once per frame, not
// once per point.
function createTrackLine(map, style) {
  var layer = L.polyline([], style).addTo(map);
  var points = [];
  var redrawPending = false;
  function scheduleRedraw() {
    if (redrawPending) {
      return;
    }
    redrawPending = true;
    window.requestAnimationFrame(function () {
      redrawPending = false;
      layer.setLatLngs(points);
    });
  }
  return {
    getLatLngs: function () { return points; },
    appendPoint: function (latitude, longitude) {
      points.push(L.latLng(latitude, longitude));
      scheduleRedraw();
    },
    replacePoints: function (newPoints) {
      points = newPoints.slice();
      scheduleRedraw();
    },
    remove: function () { layer.remove(); },
  };
}
