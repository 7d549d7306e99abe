// Writes the fuzz targets' seed corpora at build time, so that no binary picture is
// kept in the repository:
//
//   make_seeds CORPUS_DIR mooninfo_2024.txt
//
// CORPUS_DIR/<target>/ receives frames of several sizes and layouts (JPEG: baseline,
// progressive, greyscale, CMYK; TIFF: strips, tiles, LZW, 16-bit, palette, alpha,
// BigTIFF), pictures declaring huge dimensions, some of NASA's table rows,
// orvanel-cli argument lines, settings files and servers' answers.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "support/test_images.h"

namespace {

namespace fs = std::filesystem;
using namespace test_images_detail;

void Write(const fs::path& folder, const std::string& name, const QByteArray& bytes) {
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.constData(), bytes.size());
  if (!out) throw std::runtime_error("cannot write " + (folder / name).string());
}

// The JPEG with its start-of-frame size set to 65535 x 65535.
QByteArray WithHugeJpegSize(QByteArray jpeg) {
  const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
  if (sof < 0) throw std::runtime_error("no start-of-frame marker");
  for (int i = 5; i <= 8; ++i) jpeg[sof + i] = '\xFF';
  return jpeg;
}

struct TiffSeed {
  int Width, Height;
  int Bits;             // 8 or 16
  int Photometric;      // PHOTOMETRIC_RGB, _MINISBLACK or _PALETTE
  int Compression;      // COMPRESSION_NONE, _LZW, ...
  bool Big = false;     // BigTIFF
  bool PixelsToo = true;  // false: a directory only, as when the size is absurd
};

// A TIFF of a simple gradient in the given layout, in strips of 8 rows.
QByteArray MakeTiff(const TiffSeed& s) {
  TiffSink sink;
  TIFF* tif = TIFFClientOpen("seed.tif", s.Big ? "w8" : "w", &sink, SinkRead, SinkWrite, SinkSeek, SinkClose,
                             SinkSize, SinkMap, SinkUnmap);
  if (!tif) throw std::runtime_error("TIFFClientOpen failed");
  const int samples = s.Photometric == PHOTOMETRIC_RGB ? 3 : 1;
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(s.Width));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(s.Height));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.Bits);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.Photometric);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, s.Compression);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 8u);
  std::vector<std::uint16_t> map(std::size_t{1} << s.Bits);
  if (s.Photometric == PHOTOMETRIC_PALETTE) {
    for (std::size_t i = 0; i < map.size(); ++i) map[i] = static_cast<std::uint16_t>(i * 257);
    TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
  }
  std::vector<unsigned char> row(static_cast<std::size_t>(TIFFScanlineSize(tif)));
  for (int y = 0; s.PixelsToo && y < s.Height; ++y) {
    for (std::size_t i = 0; i < row.size(); ++i) row[i] = static_cast<unsigned char>(i + 3 * y);
    TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0);
  }
  if (!s.PixelsToo) TIFFWriteDirectory(tif);
  TIFFClose(tif);
  return QByteArray(reinterpret_cast<const char*>(sink.Bytes.data()), static_cast<qsizetype>(sink.Bytes.size()));
}

void JpegSeeds(const fs::path& folder) {
  Write(folder, "disc_1x1.jpg", MakeJpeg(1, 1));
  Write(folder, "disc_17x9.jpg", MakeJpeg(17, 9));
  Write(folder, "disc_96x80.jpg", MakeJpeg(96, 80));
  Write(folder, "disc_730x730_q40.jpg", MakeJpeg(730, 730, 40));
  Write(folder, "progressive.jpg", MakeJpeg(64, 48, 75, JpegLayout::Progressive));
  Write(folder, "grey.jpg", MakeJpeg(40, 33, 75, JpegLayout::Grey));
  Write(folder, "cmyk.jpg", MakeJpeg(24, 24, 75, JpegLayout::Cmyk));
  Write(folder, "huge_declared.jpg", WithHugeJpegSize(MakeJpeg(16, 16)));
}

void TiffSeeds(const fs::path& folder) {
  Write(folder, "rgb_1x1.tif", MakeTiffRgb8(1, 1));
  Write(folder, "rgb_40x30_strips.tif", MakeTiffRgb8(40, 30, {TiffCompression::None, 7}));
  Write(folder, "rgb_64x48_lzw.tif", MakeTiffRgb8(64, 48, {TiffCompression::Lzw, 16}));
  Write(folder, "rgb_16x16_tile16.tif", MakeTiffRgb8(16, 16, {.TileSize = 16}));
  Write(folder, "rgb_75x50_tile32_lzw.tif", MakeTiffRgb8(75, 50, {TiffCompression::Lzw, 0, 32}));
  Write(folder, "rgba_unassociated.tif", MakeTiffRgb8(20, 12, {.UnassociatedAlpha = true}));
  Write(folder, "rgb16.tif", MakeTiff({24, 16, 16, PHOTOMETRIC_RGB, COMPRESSION_NONE}));
  Write(folder, "grey16_lzw.tif", MakeTiff({24, 16, 16, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW}));
  Write(folder, "palette8.tif", MakeTiff({24, 16, 8, PHOTOMETRIC_PALETTE, COMPRESSION_NONE}));
  Write(folder, "bigtiff_rgb8.tif", MakeTiff({24, 16, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE, true}));
  Write(folder, "huge_declared.tif", MakeTiff({60000, 60000, 8, PHOTOMETRIC_RGB, COMPRESSION_NONE, false, false}));
  Write(folder, "huge_declared_bigtiff.tif",
        MakeTiff({4000000, 4000000, 8, PHOTOMETRIC_RGB, COMPRESSION_LZW, true, false}));
}

// The header and the first rows of NASA's 2024 table, one seed a line.
void TableLineSeeds(const fs::path& folder, const std::string& table) {
  std::ifstream in(table);
  int n = 0;
  for (std::string line; n < 6 && std::getline(in, line);)
    if (!line.empty()) Write(folder, "line" + std::to_string(n++) + ".txt", QByteArray::fromStdString(line));
  if (n == 0) throw std::runtime_error("cannot read " + table);
}

void CliSeeds(const fs::path& folder) {
  const char* lines[] = {"2024-01-01T00:00Z --lat 41.3 --westlon 73.1 --offset -5",
                         "45292.5 --lon -73.144 --view 4 --rotate 298",
                         "1899-12-30T00:00:59Z --lat -90 --lon 360 -2",
                         "2958465 --offset 1e30 --westlon 1e400 --lat nan",
                         "9999-12-31T23:59Z 0x1p4 --view -2147483648"};
  int n = 0;
  for (const char* line : lines) Write(folder, "args" + std::to_string(n++) + ".txt", QByteArray(line));
}

// Settings files as the program writes them, damaged ones and odd INI syntax.
void SettingsSeeds(const fs::path& folder) {
  const char* files[] = {
      "[SETTINGS]\nWindowTop=5\nWindowLeft=0\nWindowWidth=1600\nWindowHeight=850\nWindowState=0\n"
      "AnimateBox=false\nReverseBox=false\nShowLinesBox=true\nShowDataBox=true\nRotateBox=false\n"
      "GlobStep=2\nGlobTypeIndex=0\nLatitude=41.2979\nLongitude=-73.0756\n"
      "PictureFolder=/home/user/Pictures/Orvanel\nTextFolder=/home/user/Documents/Orvanel\n",
      "[SETTINGS]\nWindowWidth=2147483647\nWindowTop=-2147483648\nGlobStep=0\nGlobTypeIndex=9\n",
      "[SETTINGS]\nLatitude=nan\nLongitude=1e400\nShowLinesBox=maybe\nPictureFolder=relative\n",
      "[SETTINGS]\nTextFolder=\"/a, b\"\nPictureFolder=@Variant(\\0\\0\\0\\x7f)\nGlobStep=@ByteArray(2)\n",
      "[General]\nx=1\n[SETTINGS]\r\nGlobStep = 5 ; comment\r\nSETTINGS\\GlobTypeIndex=3\n[SETTINGS\n",
  };
  int n = 0;
  for (const char* file : files) Write(folder, "settings" + std::to_string(n++) + ".ini", QByteArray(file));
}

// Answers a server may give to a frame's request: good ones with a length, chunked,
// until the connection closes, after an interim answer; redirects to another host and
// to HTTPS; errors, a body cut short, lengths beyond the caps, headers either side of
// the fuzz target's 1024-byte cap and a first line that is no status line.
void DownloadAnswerSeeds(const fs::path& folder) {
  const std::string padding = "X-Padding: " + std::string(900, 'h') + "\r\n";
  const std::string answers[] = {
      "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 5\r\n\r\nframe",
      "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nframe\r\n3;x=y\r\nabc\r\n0\r\nT: 1\r\n\r\n",
      "HTTP/1.0 200 OK\nServer: lf-only\n\nthe body runs until the connection closes",
      "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok",
      "HTTP/1.1 302 Found\r\nLocation: http://elsewhere.invalid/moon.0002.jpg\r\nContent-Length: 0\r\n\r\n",
      "HTTP/1.1 301 Moved Permanently\r\nLocation: https://svs.gsfc.nasa.gov/moon.0001.jpg\r\n\r\n",
      "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
      "HTTP/1.1 204 No Content\r\n\r\n",
      "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\ncut short",
      "HTTP/1.1 200 OK\r\nContent-Length: 1800\r\n\r\n" + std::string(1800, 'b'),
      "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nhuge",
      "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd",
      "HTTP/1.1 200 OK\r\n" + padding + "Content-Length: 1\r\n\r\nx",
      "HTTP/1.1 200 OK\r\n" + padding + padding + "Content-Length: 1\r\n\r\nx",
      "HTTP/x 200\r\n\r\nno status line, which libcurl would take for a 200",
  };
  int n = 0;
  for (const std::string& answer : answers)
    Write(folder, "answer" + std::to_string(n++) + ".http", QByteArray::fromStdString(answer));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_seeds CORPUS_DIR mooninfo_2024.txt\n";
    return 1;
  }
  try {
    const fs::path root = argv[1];
    JpegSeeds(root / "jpeg_decode");
    TiffSeeds(root / "tiff_decode");
    TableLineSeeds(root / "nasa_table_line", argv[2]);
    CliSeeds(root / "cli_arguments");
    SettingsSeeds(root / "settings_reader");
    DownloadAnswerSeeds(root / "download_answer");
  } catch (const std::exception& e) {
    std::cerr << "make_seeds: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
