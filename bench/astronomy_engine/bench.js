// The reference figures for the engine's speed, from astronomy-engine (JavaScript),
// computing what the program computes: a Moon hour's eleven values, a year of them,
// a day's moonrise and moonset, and a data-panel record (values, altitude and azimuth,
// the day's rise and set, the parallactic angle) with and without the day's rise and
// set kept.
//   npm ci --prefix bench/astronomy_engine
//   node bench/astronomy_engine/bench.js            all figures, medians of three
//   node bench/astronomy_engine/bench.js year       only a year of hourly values, for `time`
'use strict';
const A = require('astronomy-engine');

const kDegPerRad = 180 / Math.PI;
const observer = new A.Observer(41.307, -73.144, 0);

// The Sun's direction in the Moon's body frame, as selenographic longitude and latitude.
function subSolar(time, axis) {
  const sun = A.GeoVector(A.Body.Sun, time, true);
  const moon = A.GeoMoon(time);
  const s = new A.Vector(sun.x - moon.x, sun.y - moon.y, sun.z - moon.z, time);
  const ra = axis.ra * 15 / kDegPerRad, dec = axis.dec / kDegPerRad, w = axis.spin / kDegPerRad;
  const rz = (v, a) => [Math.cos(a) * v[0] + Math.sin(a) * v[1], -Math.sin(a) * v[0] + Math.cos(a) * v[1], v[2]];
  const rx = (v, a) => [v[0], Math.cos(a) * v[1] + Math.sin(a) * v[2], -Math.sin(a) * v[1] + Math.cos(a) * v[2]];
  const b = rz(rx(rz([s.x, s.y, s.z], Math.PI / 2 + ra), Math.PI / 2 - dec), w);
  return [Math.atan2(b[1], b[0]) * kDegPerRad, Math.atan2(b[2], Math.hypot(b[0], b[1])) * kDegPerRad];
}

// Phase, age, diameter, distance, RA, Dec, the Sun's selenographic longitude and
// latitude, the librations and the axis' position angle.
function hourValues(time) {
  const illumination = A.Illumination(A.Body.Moon, time);
  const newMoon = A.SearchMoonPhase(0, time.AddDays(-30), 30);
  const libration = A.Libration(time);
  const equator = A.Equator(A.Body.Moon, time, new A.Observer(0, 0, -6378137), true, true);
  const axis = A.RotationAxis(A.Body.Moon, time);
  const [slon, slat] = subSolar(time, axis);
  const p = axis.north, m = A.GeoMoon(time);
  const axisAngle = Math.atan2(p.y * m.x - p.x * m.y, p.z) * kDegPerRad;
  return [illumination.phase_fraction, time.ut - newMoon.ut, libration.diam_deg, libration.dist_km,
          equator.ra, equator.dec, slon, slat, libration.elon, libration.elat, axisAngle];
}

function riseSet(dayStart) {
  return [A.SearchRiseSet(A.Body.Moon, observer, +1, dayStart, 1),
          A.SearchRiseSet(A.Body.Moon, observer, -1, dayStart, 1)];
}

function parallacticAngle(time, ra, dec) {
  const hourAngle = ((A.SiderealTime(time) + observer.longitude / 15 - ra) * 15) / kDegPerRad;
  const phi = observer.latitude / kDegPerRad, delta = dec / kDegPerRad;
  return Math.atan2(Math.sin(hourAngle), Math.tan(phi) * Math.cos(delta) - Math.sin(delta) * Math.cos(hourAngle));
}

function record(time, riseSetOf) {
  const values = hourValues(time);
  const topocentric = A.Equator(A.Body.Moon, time, observer, true, true);
  const horizon = A.Horizon(time, observer, topocentric.ra, topocentric.dec);
  const day = A.MakeTime(new Date(Date.UTC(time.date.getUTCFullYear(), time.date.getUTCMonth(), time.date.getUTCDate())));
  return [values, horizon, riseSetOf(day), parallacticAngle(time, values[4], values[5])];
}

const kStart = A.MakeTime(new Date(Date.UTC(2025, 0, 1)));
let sink = 0;

// Microseconds per call of f(i), the median of three runs of n calls.
function median(n, f) {
  const runs = [];
  for (let r = 0; r < 3; ++r) {
    const t0 = process.hrtime.bigint();
    for (let i = 0; i < n; ++i) sink += f(i) ? 1 : 0;
    runs.push(Number(process.hrtime.bigint() - t0) / 1000 / n);
  }
  return runs.sort((a, b) => a - b)[1];
}

function year() {
  for (let hour = 0; hour < 8760; ++hour) sink += hourValues(kStart.AddDays(hour / 24))[0];
}

if (process.argv[2] === 'year') {
  year();
} else {
  const hourly = (i) => kStart.AddDays(i / 24);
  median(2000, (i) => hourValues(kStart.AddDays(i * 17.3)));  // warm-up
  console.log('one instant\'s values     %s us', median(5000, (i) => hourValues(kStart.AddDays(i * 17.3))).toFixed(1));
  console.log('a year of hourly values   %s ms', (median(1, year) / 1000).toFixed(0));
  console.log('rise and set of a day     %s us', median(3000, (i) => riseSet(kStart.AddDays(i))).toFixed(1));
  console.log('record, uncached          %s us', median(3000, (i) => record(hourly(i), riseSet)).toFixed(1));
  const kept = new Map();
  const cached = (day) => {
    if (!kept.has(day.ut)) kept.set(day.ut, riseSet(day));
    return kept.get(day.ut);
  };
  console.log('record, rise/set kept     %s us', median(8760, (i) => record(hourly(i), cached)).toFixed(1));
}
if (Number.isNaN(sink)) console.log(sink);
