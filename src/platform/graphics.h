// The 2D drawing layer the whole game draws through.
//
// `Graphics` keeps the drawing state the game relies on (colour, alpha, blend mode, rotation, scale,
// origin, line width, viewport), turns every primitive into triangles on the CPU with the game's
// transform rule, and appends them to one vertex stream. A draw call is issued only when something
// forces it: a change of blend mode, texture or viewport, a full buffer, or the end of the frame. The
// device behind it is a `GraphicsBackend`: OpenGL for the game, a recording one for tests and
// benchmarks. Nothing in here touches a device header.
//
// Transform rule for every primitive: offsets from its anchor are scaled by (sx, sy), then rotated by r
// degrees (x' = x cos r sx - y sin r sy, y' = x sin r sx + y cos r sy), then the anchor and the origin
// are added.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/png_io.h"

namespace qv {

enum BlendMode : int { kMaskBlend = 1, kSolidBlend = 2, kAlphaBlend = 3, kAddBlend = 4, kShadeBlend = 5 };

using TextureId = std::uint32_t;

struct Vertex {
  float x, y, u, v;
  std::uint32_t rgba;  // r in the low byte, a in the high byte
};

struct Viewport {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Viewport&) const = default;
};

// Everything a batch of triangles shares. A change of any of these forces a draw call.
struct BatchState {
  int blend = kSolidBlend;
  TextureId texture = 0;
  Viewport viewport;
  bool operator==(const BatchState&) const = default;
};

struct DisplayRequest {
  int width = 0, height = 0, depth = 32, hz = 60;
  bool windowed = true;
};

// What a device provides. Coordinates are the game's frame (the opened width x height); a device that
// shows the frame scaled or letterboxed maps them itself.
class GraphicsBackend {
 public:
  virtual ~GraphicsBackend() = default;
  virtual bool FullscreenModeExists(int width, int height, int depth, int hz) = 0;
  virtual bool WindowModeExists(int width, int height) = 0;
  virtual bool Open(const DisplayRequest& request) = 0;
  virtual bool IsOpen() const = 0;
  virtual void Clear() = 0;
  virtual void Present(bool vsync) = 0;
  // Whether the desktop's screen saver may start (kept off during play).
  virtual void AllowScreenSaver(bool allow) = 0;
  // Uploads RGBA pixels; `mipmap` asks for filtered, mip-mapped sampling. 0 on failure.
  virtual TextureId CreateTexture(int width, int height, const std::uint8_t* rgba, bool mipmap) = 0;
  virtual void DeleteTexture(TextureId texture) = 0;
  // Copies the frame's rectangle (x, y, w, h) into `texture` (created or resized as needed).
  virtual bool GrabFrame(TextureId& texture, int x, int y, int w, int h) = 0;
  virtual void Draw(const BatchState& state, const Vertex* vertices, int vertexCount,
                    const std::uint32_t* indices, int indexCount) = 0;
};

// An image: one texture holding `frames` cells of cellWidth x cellHeight, laid out left to right then
// top to bottom. Its handle (the point a draw position refers to) is the cell's centre.
struct Image {
  TextureId texture = 0;
  int cellWidth = 0, cellHeight = 0, frames = 0;
  int columns = 1;
  int textureWidth = 0, textureHeight = 0;  // texture size in texels (cells plus the white corner)
  float whiteU = 0, whiteV = 0;             // a white texel, used by untextured draws
  RgbaImage pixels;                         // kept for reading single pixels
  bool grabbed = false;                     // filled from the screen, not from a file
};
using ImageHandle = std::shared_ptr<Image>;

// One recorded primitive, for tests that check what was drawn where and in what colour.
struct DrawRecord {
  enum Kind { kPlot, kLine, kRect, kOval, kPoly, kImage, kText, kStrip, kQuad, kTriangle } kind;
  std::vector<float> points;  // transformed frame coordinates: x0, y0, x1, y1, ...
  int r = 0, g = 0, b = 0;
  float alpha = 1;
  int blend = kSolidBlend;
  float lineWidth = 1;
  const Image* image = nullptr;
  int frame = 0;
  std::string text;
};

class Graphics {
 public:
  explicit Graphics(GraphicsBackend& backend);
  ~Graphics();
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;

  // Display.
  bool FullscreenModeExists(int width, int height, int depth, int hz);
  bool WindowModeExists(int width, int height);
  bool OpenDisplay(const DisplayRequest& request);
  bool IsOpen() const { return backend_.IsOpen(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Cls();
  void Flip(bool vsync);
  // The screen saver is kept off during play and allowed elsewhere; the device hears only changes.
  void AllowScreenSaver(bool allow);
  bool ScreenSaverAllowed() const { return screenSaverAllowed_; }

  // Drawing state.
  void SetColor(int r, int g, int b);
  void GetColor(int& r, int& g, int& b) const;
  void SetAlpha(float alpha);
  float Alpha() const { return alpha_; }
  void SetBlend(int mode);
  int Blend() const { return blend_; }
  void SetRotation(float degrees);
  float Rotation() const { return rotation_; }
  void SetScale(float sx, float sy);
  void SetOrigin(float x, float y);
  void SetLineWidth(float width);
  float LineWidth() const { return lineWidth_; }
  void SetViewport(int x, int y, int w, int h);

  // Primitives.
  void Plot(float x, float y);
  void Line(float x1, float y1, float x2, float y2);
  void Rect(float x, float y, float w, float h);
  void Oval(float x, float y, float w, float h);
  // Points are offsets from the origin: x0, y0, x1, y1, ...
  void Poly(const float* xy, int pointCount);
  void DrawImage(const ImageHandle& image, float x, float y, int frame = 0);
  // Fixed-pitch bitmap text, top-left at (x, y).
  void DrawText(std::string_view text, float x, float y);
  int TextWidth(std::string_view text) const { return static_cast<int>(text.size()) * textCellWidth_; }
  int TextHeight() const { return textCellHeight_; }

  // Raw geometry for the grid: positions are frame coordinates (no scale, rotation or origin).
  // `rgb` (three bytes per vertex) gives opaque per-vertex colours; null uses the colour and alpha.
  void LineStrip(const float* xy, int pointCount, const std::uint8_t* rgb = nullptr);
  void Quad(const float* xy);  // four corners in order, current colour and alpha
  void Triangle(const float* xy, const std::uint8_t* rgb);  // three corners, opaque vertex colours

  // Images.
  ImageHandle LoadImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                        int cellCount);
  ImageHandle LoadImage(const std::string& path) { return LoadImage(path, 0, 0, 0, 1); }
  ImageHandle ImageFromPixels(const RgbaImage& pixels, int cellWidth, int cellHeight, int cellCount);
  ImageHandle CreateImage(int width, int height);
  void GrabImage(const ImageHandle& image, int x, int y);
  // RGBA of one pixel of a frame (0 outside the frame or for an empty image).
  std::uint32_t ReadPixel(const ImageHandle& image, int x, int y, int frame = 0) const;

  // The bitmap font, 128 glyphs in a 16 x 8 grid of cells.
  void SetTextFont(const RgbaImage& atlas, int cellWidth, int cellHeight);

  // Counters: draw calls issued while building the last presented frame, and so far in this one.
  int DrawCallsLastFrame() const { return drawCallsLastFrame_; }
  int DrawCallsThisFrame() const { return drawCallsThisFrame_; }
  int FramesPresented() const { return framesPresented_; }

  // Records every primitive into `records` (null stops recording).
  void SetRecorder(std::vector<DrawRecord>* records) { recorder_ = records; }
  // Sends what is batched to the device now.
  void Flush();

  // Between these two calls primitives are grouped by state instead of drawn in call order: each
  // state's primitives keep their own order, and the groups are drawn in the order their states
  // first appeared. A list of enemies that each draw an alpha-blended halo and an additive image thus
  // costs two draw calls instead of two per enemy; only overlaps between neighbours change.
  void BeginSortedRun();
  void EndSortedRun();

 private:
  struct Transform {
    float ax, ay;  // anchor plus origin
    float m00, m01, m10, m11;
  };
  Transform MakeTransform(float anchorX, float anchorY) const;
  bool DrawsNothing() const;
  void Prepare(TextureId texture, int vertexCount, int indexCount);
  std::uint32_t CurrentRgba() const;
  std::uint32_t OpaqueRgba(const std::uint8_t* rgb) const;
  void PushSegment(float x1, float y1, float x2, float y2, float width, std::uint32_t c1, std::uint32_t c2);
  void PushQuad(const float* xy, std::uint32_t rgba, float u0, float v0, float u1, float v1);
  void PushSolidQuad(const float* xy, std::uint32_t rgba);
  void PushFan(const float* xy, int count, std::uint32_t rgba);
  void Record(DrawRecord::Kind kind, std::vector<float> points, const Image* image = nullptr,
              int frame = 0, std::string text = {});
  void WhiteUv(float& u, float& v) const;
  ImageHandle NewImage();
  ImageHandle MakeImage(RgbaImage pixels, int cellWidth, int cellHeight, int firstCell, int cellCount,
                        bool mipmap);

  GraphicsBackend& backend_;
  int width_ = 0, height_ = 0;

  int r_ = 255, g_ = 255, b_ = 255;
  float alpha_ = 1;
  int blend_ = kSolidBlend;
  float rotation_ = 0, sinR_ = 0, cosR_ = 1;
  float scaleX_ = 1, scaleY_ = 1;
  float originX_ = 0, originY_ = 0;
  float lineWidth_ = 1;
  Viewport viewport_;

  BatchState batch_;
  bool batchHasWhite_ = true;
  float batchWhiteU_ = 0.5f, batchWhiteV_ = 0.5f;
  std::vector<float> polyScratch_;
  std::vector<Vertex> vertices_;
  std::vector<std::uint32_t> indices_;
  std::vector<Vertex>* verts_ = &vertices_;  // where primitives go now
  std::vector<std::uint32_t>* idx_ = &indices_;

  struct Bucket {
    BatchState state;
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
  };
  void PrepareSorted(TextureId texture);
  bool sorting_ = false;
  std::vector<Bucket> buckets_;  // reused run after run
  int usedBuckets_ = 0;
  int currentBucket_ = -1;

  TextureId whiteTexture_ = 0;
  ImageHandle font_;
  int textCellWidth_ = 8, textCellHeight_ = 12;

  bool screenSaverAllowed_ = true;
  int drawCallsThisFrame_ = 0;
  int drawCallsLastFrame_ = 0;
  int framesPresented_ = 0;
  std::vector<DrawRecord>* recorder_ = nullptr;
};

}  // namespace qv
