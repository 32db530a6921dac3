// The setup sheet's style sheet: for the screen a page-like view, for print
// one portrait page per turret table that fits A4 and Letter alike, all black
// on white so that it reads the same in black and white.
#pragma once

namespace quarnel::cli {

inline constexpr const char* kSheetStyle = R"css(
@page { size: portrait; margin: 12mm; }
* { box-sizing: border-box; }
html { background: #d9d9d9; }
body { margin: 0; color: #000; font: 9pt/1.3 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
section.sheet { background: #fff; width: 210mm; margin: 6mm auto; padding: 10mm 12mm; }
header { border-bottom: 1.2pt solid #000; padding-bottom: 1.5mm; }
h1 { font-size: 15pt; margin: 0 0 1mm; }
h2 { font-size: 12pt; margin: 2.5mm 0 0; }
h3 { font-size: 9.5pt; margin: 2mm 0 1mm; }
dl.facts { display: grid; grid-template-columns: max-content 1fr; gap: 0.3mm 3mm; margin: 0; }
dl.facts dt { font-weight: bold; }
dl.facts dd { margin: 0; overflow-wrap: anywhere; }
div.drawing { margin: 1mm auto 3mm; }
svg.turret { display: block; width: 100%; height: 100%; }
table { width: 100%; border-collapse: collapse; font-size: 8pt; line-height: 1.2; }
th, td { padding: 0.35mm 1.2mm; text-align: left; vertical-align: top; }
thead th { border-top: 1pt solid #000; border-bottom: 1pt solid #000; white-space: nowrap; }
tbody tr { border-bottom: 0.4pt solid #999; }
tbody tr:nth-child(even) { background: #f0f0f0; }
td.n { text-align: right; font-variant-numeric: tabular-nums; }
td.station { font-weight: bold; text-align: right; }
tr.empty td { color: #555; font-style: italic; }
ul.apart { columns: 4; margin: 0; padding: 0; list-style: none; font-size: 7.5pt; }
p.note { margin: 1mm 0 0; font-size: 8pt; }
.ring { fill: none; stroke: #999; stroke-width: 1.5; }
.pocket { fill: #f2f2f2; stroke: #444; stroke-width: 1.2; }
.empty .pocket { fill: #fff; stroke: #888; stroke-dasharray: 5 4; }
.tool { fill: none; stroke: #000; stroke-width: 1.5; stroke-linejoin: round; vector-effect: non-scaling-stroke; }
.badge { fill: #000; }
.number { fill: #fff; font-size: 0.95em; font-weight: bold; text-anchor: middle; }
.empty .badge { fill: #fff; stroke: #000; stroke-width: 1.5; }
.empty .number { fill: #000; }
.label { font-size: 1em; }
.label .main { font-weight: bold; }
.empty .label { fill: #555; font-style: italic; }
.unknown { font-size: 30px; font-weight: bold; text-anchor: middle; }
.legend-title { font-size: 40px; font-weight: bold; text-anchor: middle; }
.legend { font-size: 21px; text-anchor: middle; }
.scale-bar { fill: none; stroke: #000; stroke-width: 2; }
@media print {
  html { background: none; }
  section.sheet { width: auto; margin: 0; padding: 0; break-after: page; }
  section.sheet:last-child { break-after: auto; }
  tbody tr:nth-child(even) { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)css";

}  // namespace quarnel::cli
