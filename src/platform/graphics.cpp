#include "platform/graphics.h"

#include <algorithm>
#include <cmath>

#include "platform/degmath.h"

namespace qv {

namespace {

// A batch is sent when it holds this many vertices; the buffers are reused frame after frame.
constexpr int kMaxBatchVertices = 1 << 20;
constexpr int kInitialBatchVertices = 1 << 16;
// Every texture carries a small white block in its bottom-right corner, so untextured primitives can
// be drawn with whatever texture is bound and do not force a draw call of their own.
constexpr int kWhiteBlock = 4;

std::uint32_t PackRgba(int r, int g, int b, int a) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
         (static_cast<std::uint32_t>(b) << 16) | (static_cast<std::uint32_t>(a) << 24);
}

int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

}  // namespace

Graphics::Graphics(GraphicsBackend& backend) : backend_(backend) {
  vertices_.reserve(kInitialBatchVertices);
  indices_.reserve(kInitialBatchVertices * 3 / 2);
}

Graphics::~Graphics() = default;

bool Graphics::FullscreenModeExists(int width, int height, int depth, int hz) {
  return backend_.FullscreenModeExists(width, height, depth, hz);
}

bool Graphics::WindowModeExists(int width, int height) { return backend_.WindowModeExists(width, height); }

bool Graphics::OpenDisplay(const DisplayRequest& request) {
  vertices_.clear();
  indices_.clear();
  if (!backend_.Open(request)) return false;
  width_ = request.width;
  height_ = request.height;
  viewport_ = {0, 0, width_, height_};
  batch_ = BatchState{};
  batch_.viewport = viewport_;
  // Textures belong to the display that is open: the white texture is made again for this one.
  const std::vector<std::uint8_t> white(kWhiteBlock * kWhiteBlock * 4, 255);
  whiteTexture_ = backend_.CreateTexture(kWhiteBlock, kWhiteBlock, white.data(), false);
  batch_.texture = whiteTexture_;
  batchHasWhite_ = true;
  batchWhiteU_ = batchWhiteV_ = 0.5f;
  if (font_) {
    RgbaImage atlas = font_->pixels;
    const int cw = font_->cellWidth, ch = font_->cellHeight;
    font_.reset();
    SetTextFont(atlas, cw, ch);
  }
  return true;
}

void Graphics::Cls() {
  EndSortedRun();
  vertices_.clear();
  indices_.clear();
  backend_.Clear();
}

void Graphics::AllowScreenSaver(bool allow) {
  if (allow == screenSaverAllowed_) return;
  screenSaverAllowed_ = allow;
  backend_.AllowScreenSaver(allow);
}

void Graphics::Flip(bool vsync) {
  EndSortedRun();
  Flush();
  backend_.Present(vsync);
  drawCallsLastFrame_ = drawCallsThisFrame_;
  drawCallsThisFrame_ = 0;
  ++framesPresented_;
}

void Graphics::SetColor(int r, int g, int b) {
  r_ = ClampByte(r);
  g_ = ClampByte(g);
  b_ = ClampByte(b);
}

void Graphics::GetColor(int& r, int& g, int& b) const {
  r = r_;
  g = g_;
  b = b_;
}

void Graphics::SetAlpha(float alpha) {
  if (!(alpha >= 0)) alpha = 0;  // also catches NaN
  alpha_ = alpha > 1 ? 1 : alpha;
}

void Graphics::SetBlend(int mode) {
  if (mode >= kMaskBlend && mode <= kShadeBlend) blend_ = mode;
}

void Graphics::SetRotation(float degrees) {
  if (degrees == rotation_) return;
  rotation_ = degrees;
  if (degrees == 0) {
    sinR_ = 0;
    cosR_ = 1;
    return;
  }
  const float radians = degrees * static_cast<float>(kDegToRad);
  sinR_ = std::sin(radians);
  cosR_ = std::cos(radians);
}

void Graphics::SetScale(float sx, float sy) {
  scaleX_ = sx;
  scaleY_ = sy;
}

void Graphics::SetOrigin(float x, float y) {
  originX_ = x;
  originY_ = y;
}

void Graphics::SetLineWidth(float width) { lineWidth_ = width; }

void Graphics::SetViewport(int x, int y, int w, int h) { viewport_ = {x, y, std::max(w, 0), std::max(h, 0)}; }

Graphics::Transform Graphics::MakeTransform(float anchorX, float anchorY) const {
  return {anchorX + originX_, anchorY + originY_, cosR_ * scaleX_, -sinR_ * scaleY_, sinR_ * scaleX_,
          cosR_ * scaleY_};
}

// In the alpha and additive modes a clamped alpha of 0 leaves the screen untouched: skip the work.
bool Graphics::DrawsNothing() const {
  return alpha_ <= 0 && (blend_ == kAlphaBlend || blend_ == kAddBlend);
}

std::uint32_t Graphics::CurrentRgba() const {
  return PackRgba(r_, g_, b_, static_cast<int>(alpha_ * 255.0f + 0.5f));
}

std::uint32_t Graphics::OpaqueRgba(const std::uint8_t* rgb) const { return PackRgba(rgb[0], rgb[1], rgb[2], 255); }

void Graphics::WhiteUv(float& u, float& v) const {
  u = batchWhiteU_;
  v = batchWhiteV_;
}

// Untextured draws (texture 0) go with whatever texture is bound, through its white block; only a
// screen copy, which has none, makes them switch to the plain white texture.
void Graphics::Prepare(TextureId texture, int vertexCount, int indexCount) {
  if (sorting_) {
    PrepareSorted(texture);
    return;
  }
  BatchState wanted{blend_, texture ? texture : (batchHasWhite_ ? batch_.texture : whiteTexture_), viewport_};
  if (!(wanted == batch_) || static_cast<int>(vertices_.size()) + vertexCount > kMaxBatchVertices ||
      indices_.size() + static_cast<std::size_t>(indexCount) > static_cast<std::size_t>(kMaxBatchVertices) * 3) {
    Flush();
    batch_ = wanted;
  }
  if (!texture && !batchHasWhite_) {
    batchHasWhite_ = true;
    batchWhiteU_ = batchWhiteV_ = 0.5f;
  }
}

// Inside a sorted run every state has a bucket of its own; untextured primitives use the plain white
// texture there, so they share one bucket whatever images come between them.
void Graphics::PrepareSorted(TextureId texture) {
  const BatchState wanted{blend_, texture ? texture : whiteTexture_, viewport_};
  if (currentBucket_ < 0 || !(buckets_[currentBucket_].state == wanted)) {
    currentBucket_ = -1;
    for (int i = 0; i < usedBuckets_; ++i)
      if (buckets_[i].state == wanted) currentBucket_ = i;
    if (currentBucket_ < 0) {
      if (usedBuckets_ == static_cast<int>(buckets_.size())) buckets_.emplace_back();
      currentBucket_ = usedBuckets_++;
      buckets_[currentBucket_].state = wanted;
    }
  }
  verts_ = &buckets_[currentBucket_].vertices;
  idx_ = &buckets_[currentBucket_].indices;
  if (!texture) batchWhiteU_ = batchWhiteV_ = 0.5f;
}

void Graphics::BeginSortedRun() {
  if (sorting_) return;
  Flush();
  sorting_ = true;
  currentBucket_ = -1;
}

void Graphics::EndSortedRun() {
  if (!sorting_) return;
  sorting_ = false;
  verts_ = &vertices_;
  idx_ = &indices_;
  for (int i = 0; i < usedBuckets_; ++i) {
    Bucket& b = buckets_[i];
    if (!b.indices.empty()) {
      backend_.Draw(b.state, b.vertices.data(), static_cast<int>(b.vertices.size()), b.indices.data(),
                    static_cast<int>(b.indices.size()));
      ++drawCallsThisFrame_;
    }
    b.vertices.clear();
    b.indices.clear();
  }
  usedBuckets_ = 0;
  currentBucket_ = -1;
  // Whatever was bound last, the next batch starts afresh.
  batch_.texture = whiteTexture_;
  batchHasWhite_ = true;
  batchWhiteU_ = batchWhiteV_ = 0.5f;
}

void Graphics::Flush() {
  if (!indices_.empty()) {
    backend_.Draw(batch_, vertices_.data(), static_cast<int>(vertices_.size()), indices_.data(),
                  static_cast<int>(indices_.size()));
    ++drawCallsThisFrame_;
  }
  vertices_.clear();
  indices_.clear();
}

void Graphics::PushQuad(const float* xy, std::uint32_t rgba, float u0, float v0, float u1, float v1) {
  const auto base = static_cast<std::uint32_t>(verts_->size());
  verts_->push_back({xy[0], xy[1], u0, v0, rgba});
  verts_->push_back({xy[2], xy[3], u1, v0, rgba});
  verts_->push_back({xy[4], xy[5], u1, v1, rgba});
  verts_->push_back({xy[6], xy[7], u0, v1, rgba});
  const std::uint32_t idx[6] = {base, base + 1, base + 2, base, base + 2, base + 3};
  idx_->insert(idx_->end(), idx, idx + 6);
}

void Graphics::PushSolidQuad(const float* xy, std::uint32_t rgba) {
  float u, v;
  WhiteUv(u, v);
  PushQuad(xy, rgba, u, v, u, v);
}

void Graphics::PushFan(const float* xy, int count, std::uint32_t rgba) {
  float u, v;
  WhiteUv(u, v);
  const auto base = static_cast<std::uint32_t>(verts_->size());
  for (int i = 0; i < count; ++i) verts_->push_back({xy[2 * i], xy[2 * i + 1], u, v, rgba});
  for (int i = 1; i + 1 < count; ++i) {
    idx_->push_back(base);
    idx_->push_back(base + i);
    idx_->push_back(base + i + 1);
  }
}

// A line is a quad around the segment, one line width across, reaching half a pixel past both ends so
// that the end points are covered too (a line of zero length is a dot). Lines and points sit on pixel
// centres, hence the half-pixel shift.
void Graphics::PushSegment(float x1, float y1, float x2, float y2, float width, std::uint32_t c1,
                           std::uint32_t c2) {
  if (!(width >= 1)) width = 1;
  x1 += 0.5f;
  y1 += 0.5f;
  x2 += 0.5f;
  y2 += 0.5f;
  float dx = x2 - x1, dy = y2 - y1;
  const float len = std::sqrt(dx * dx + dy * dy);
  if (len > 1e-6f) {
    dx /= len;
    dy /= len;
  } else {
    dx = 1;
    dy = 0;
  }
  const float hw = width * 0.5f;
  const float ex = dx * 0.5f, ey = dy * 0.5f;  // half-pixel caps
  const float nx = -dy * hw, ny = dx * hw;
  float u, v;
  WhiteUv(u, v);
  const auto base = static_cast<std::uint32_t>(verts_->size());
  verts_->push_back({x1 - ex + nx, y1 - ey + ny, u, v, c1});
  verts_->push_back({x2 + ex + nx, y2 + ey + ny, u, v, c2});
  verts_->push_back({x2 + ex - nx, y2 + ey - ny, u, v, c2});
  verts_->push_back({x1 - ex - nx, y1 - ey - ny, u, v, c1});
  const std::uint32_t idx[6] = {base, base + 1, base + 2, base, base + 2, base + 3};
  idx_->insert(idx_->end(), idx, idx + 6);
}

void Graphics::Record(DrawRecord::Kind kind, std::vector<float> points, const Image* image, int frame,
                      std::string text) {
  DrawRecord rec{kind, std::move(points), r_, g_, b_, alpha_, blend_, lineWidth_, image, frame, std::move(text)};
  recorder_->push_back(std::move(rec));
}

void Graphics::Plot(float x, float y) {
  if (DrawsNothing()) return;
  const float px = x + originX_, py = y + originY_;
  if (recorder_) Record(DrawRecord::kPlot, {px, py});
  Prepare(0, 4, 6);
  const std::uint32_t c = CurrentRgba();
  PushSegment(px, py, px, py, 1, c, c);
}

void Graphics::Line(float x1, float y1, float x2, float y2) {
  if (DrawsNothing()) return;
  const Transform t = MakeTransform(x1, y1);
  const float ox = x2 - x1, oy = y2 - y1;
  const float ex = t.ax + ox * t.m00 + oy * t.m01;
  const float ey = t.ay + ox * t.m10 + oy * t.m11;
  if (recorder_) Record(DrawRecord::kLine, {t.ax, t.ay, ex, ey});
  Prepare(0, 4, 6);
  const std::uint32_t c = CurrentRgba();
  PushSegment(t.ax, t.ay, ex, ey, lineWidth_, c, c);
}

void Graphics::Rect(float x, float y, float w, float h) {
  if (DrawsNothing()) return;
  const Transform t = MakeTransform(x, y);
  const float corners[8] = {t.ax,
                            t.ay,
                            t.ax + w * t.m00,
                            t.ay + w * t.m10,
                            t.ax + w * t.m00 + h * t.m01,
                            t.ay + w * t.m10 + h * t.m11,
                            t.ax + h * t.m01,
                            t.ay + h * t.m11};
  if (recorder_) Record(DrawRecord::kRect, std::vector<float>(corners, corners + 8));
  Prepare(0, 4, 6);
  PushSolidQuad(corners, CurrentRgba());
}

void Graphics::Oval(float x, float y, float w, float h) {
  if (DrawsNothing()) return;
  const Transform t = MakeTransform(x, y);
  const float rx = w * 0.5f, ry = h * 0.5f;
  const float span = std::max(std::fabs(rx * scaleX_), std::fabs(ry * scaleY_));
  const int segments = std::clamp(static_cast<int>(span * 1.5f) + 8, 8, 96);
  float pts[2 * 96];
  for (int i = 0; i < segments; ++i) {
    const double a = 360.0 * i / segments;
    const float ox = rx + rx * CosDeg(a), oy = ry + ry * SinDeg(a);
    pts[2 * i] = t.ax + ox * t.m00 + oy * t.m01;
    pts[2 * i + 1] = t.ay + ox * t.m10 + oy * t.m11;
  }
  if (recorder_) Record(DrawRecord::kOval, {t.ax, t.ay, w, h});
  Prepare(0, segments, (segments - 2) * 3);
  PushFan(pts, segments, CurrentRgba());
}

void Graphics::Poly(const float* xy, int pointCount) {
  if (pointCount < 3 || DrawsNothing()) return;
  const Transform t = MakeTransform(0, 0);
  std::vector<float>& pts = polyScratch_;
  pts.resize(static_cast<std::size_t>(pointCount) * 2);
  for (int i = 0; i < pointCount; ++i) {
    const float ox = xy[2 * i], oy = xy[2 * i + 1];
    pts[2 * i] = t.ax + ox * t.m00 + oy * t.m01;
    pts[2 * i + 1] = t.ay + ox * t.m10 + oy * t.m11;
  }
  if (recorder_) Record(DrawRecord::kPoly, pts);
  Prepare(0, pointCount, (pointCount - 2) * 3);
  PushFan(pts.data(), pointCount, CurrentRgba());
}

void Graphics::DrawImage(const ImageHandle& image, float x, float y, int frame) {
  if (!image || image->texture == 0 || frame < 0 || frame >= image->frames || DrawsNothing()) return;
  const Transform t = MakeTransform(x, y);
  const float hw = image->cellWidth * 0.5f, hh = image->cellHeight * 0.5f;
  const float offs[8] = {-hw, -hh, hw, -hh, hw, hh, -hw, hh};
  float corners[8];
  for (int i = 0; i < 4; ++i) {
    corners[2 * i] = t.ax + offs[2 * i] * t.m00 + offs[2 * i + 1] * t.m01;
    corners[2 * i + 1] = t.ay + offs[2 * i] * t.m10 + offs[2 * i + 1] * t.m11;
  }
  if (recorder_) Record(DrawRecord::kImage, {t.ax, t.ay}, image.get(), frame);
  Prepare(image->texture, 4, 6);
  batchHasWhite_ = !image->grabbed;
  batchWhiteU_ = image->whiteU;
  batchWhiteV_ = image->whiteV;
  const int col = frame % image->columns, row = frame / image->columns;
  const float tw = static_cast<float>(image->textureWidth), th = static_cast<float>(image->textureHeight);
  float u0 = col * image->cellWidth / tw, v0 = row * image->cellHeight / th;
  float u1 = (col + 1) * image->cellWidth / tw, v1 = (row + 1) * image->cellHeight / th;
  if (image->grabbed) {  // a screen copy fills its whole texture, upside down
    u0 = 0;
    u1 = 1;
    v0 = 1;
    v1 = 0;
  }
  PushQuad(corners, CurrentRgba(), u0, v0, u1, v1);
}

void Graphics::DrawText(std::string_view text, float x, float y) {
  if (!font_ || DrawsNothing()) return;
  if (recorder_) Record(DrawRecord::kText, {x + originX_, y + originY_}, nullptr, 0, std::string(text));
  std::vector<DrawRecord>* saved = recorder_;
  recorder_ = nullptr;
  const float savedRot = rotation_, savedSx = scaleX_, savedSy = scaleY_;
  SetRotation(0);
  scaleX_ = scaleY_ = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int code = static_cast<unsigned char>(text[i]);
    if (code <= 32 || code >= 128) continue;
    DrawImage(font_, x + textCellWidth_ * (static_cast<float>(i) + 0.5f), y + textCellHeight_ * 0.5f, code);
  }
  SetRotation(savedRot);
  scaleX_ = savedSx;
  scaleY_ = savedSy;
  recorder_ = saved;
}

// A polyline is one run of segment quads written straight into the batch. Only the strip's two ends
// reach half a pixel past their points; inner joints meet without overlapping, so additive strips do
// not show bright beads where segments join.
void Graphics::LineStrip(const float* xy, int pointCount, const std::uint8_t* rgb) {
  if (pointCount < 2 || (!rgb && DrawsNothing())) return;
  if (recorder_) Record(DrawRecord::kStrip, std::vector<float>(xy, xy + 2 * pointCount));
  const int segments = pointCount - 1;
  Prepare(0, segments * 4, segments * 6);
  float u, v;
  WhiteUv(u, v);
  const std::uint32_t flat = CurrentRgba();
  const float hw = (lineWidth_ >= 1 ? lineWidth_ : 1) * 0.5f;
  const std::size_t baseV = verts_->size(), baseI = idx_->size();
  verts_->resize(baseV + static_cast<std::size_t>(segments) * 4);
  idx_->resize(baseI + static_cast<std::size_t>(segments) * 6);
  Vertex* out = verts_->data() + baseV;
  std::uint32_t* index = idx_->data() + baseI;
  auto first = static_cast<std::uint32_t>(baseV);
  for (int i = 0; i < segments; ++i, out += 4, index += 6, first += 4) {
    const float x1 = xy[2 * i] + 0.5f, y1 = xy[2 * i + 1] + 0.5f;
    const float x2 = xy[2 * i + 2] + 0.5f, y2 = xy[2 * i + 3] + 0.5f;
    float dx = x2 - x1, dy = y2 - y1;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len > 1e-6f) {
      dx /= len;
      dy /= len;
    } else {
      dx = 1;
      dy = 0;
    }
    const float startCap = i == 0 ? 0.5f : 0.0f, endCap = i == segments - 1 ? 0.5f : 0.0f;
    const float nx = -dy * hw, ny = dx * hw;
    const float ax = x1 - dx * startCap, ay = y1 - dy * startCap;
    const float bx = x2 + dx * endCap, by = y2 + dy * endCap;
    const std::uint32_t c1 = rgb ? OpaqueRgba(rgb + 3 * i) : flat;
    const std::uint32_t c2 = rgb ? OpaqueRgba(rgb + 3 * (i + 1)) : flat;
    out[0] = {ax + nx, ay + ny, u, v, c1};
    out[1] = {bx + nx, by + ny, u, v, c2};
    out[2] = {bx - nx, by - ny, u, v, c2};
    out[3] = {ax - nx, ay - ny, u, v, c1};
    index[0] = first;
    index[1] = first + 1;
    index[2] = first + 2;
    index[3] = first;
    index[4] = first + 2;
    index[5] = first + 3;
  }
}

void Graphics::Quad(const float* xy) {
  if (DrawsNothing()) return;
  if (recorder_) Record(DrawRecord::kQuad, std::vector<float>(xy, xy + 8));
  Prepare(0, 4, 6);
  PushSolidQuad(xy, CurrentRgba());
}

void Graphics::Triangle(const float* xy, const std::uint8_t* rgb) {
  if (recorder_) Record(DrawRecord::kTriangle, std::vector<float>(xy, xy + 6));
  Prepare(0, 3, 3);
  float u, v;
  WhiteUv(u, v);
  const auto base = static_cast<std::uint32_t>(verts_->size());
  for (int i = 0; i < 3; ++i) verts_->push_back({xy[2 * i], xy[2 * i + 1], u, v, OpaqueRgba(rgb + 3 * i)});
  idx_->push_back(base);
  idx_->push_back(base + 1);
  idx_->push_back(base + 2);
}

// An image gives its texture back to the device when the last handle to it goes.
ImageHandle Graphics::NewImage() {
  GraphicsBackend* backend = &backend_;
  return ImageHandle(new Image, [backend](Image* image) {
    if (image->texture) backend->DeleteTexture(image->texture);
    delete image;
  });
}

ImageHandle Graphics::MakeImage(RgbaImage pixels, int cellWidth, int cellHeight, int firstCell, int cellCount,
                                bool mipmap) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  if (cellWidth <= 0 || cellHeight <= 0) {
    cellWidth = pixels.width;
    cellHeight = pixels.height;
  }
  const int columns = pixels.width / cellWidth;
  const int rows = pixels.height / cellHeight;
  if (columns <= 0 || rows <= 0) return nullptr;
  const int available = columns * rows - std::max(firstCell, 0);
  if (available <= 0) return nullptr;
  cellCount = cellCount <= 0 ? available : std::min(cellCount, available);

  // Copy the wanted cells into a texture of `columns` cells across, with a white block added in the
  // bottom-right corner for untextured draws.
  const int first = std::max(firstCell, 0);
  const int outRows = (cellCount + columns - 1) / columns;
  const int texW = columns * cellWidth + kWhiteBlock;
  const int texH = std::max(outRows * cellHeight, kWhiteBlock);
  std::vector<std::uint8_t> tex(static_cast<std::size_t>(texW) * texH * 4, 0);
  RgbaImage kept;
  kept.width = columns * cellWidth;
  kept.height = outRows * cellHeight;
  kept.pixels.assign(static_cast<std::size_t>(kept.width) * kept.height * 4, 0);
  for (int c = 0; c < cellCount; ++c) {
    const int src = first + c;
    const int sx = (src % columns) * cellWidth, sy = (src / columns) * cellHeight;
    const int dx = (c % columns) * cellWidth, dy = (c / columns) * cellHeight;
    for (int row = 0; row < cellHeight; ++row) {
      const std::uint8_t* from = &pixels.pixels[(static_cast<std::size_t>(sy + row) * pixels.width + sx) * 4];
      std::copy(from, from + cellWidth * 4, &tex[(static_cast<std::size_t>(dy + row) * texW + dx) * 4]);
      std::copy(from, from + cellWidth * 4, &kept.pixels[(static_cast<std::size_t>(dy + row) * kept.width + dx) * 4]);
    }
  }
  for (int row = texH - kWhiteBlock; row < texH; ++row)
    std::fill(&tex[(static_cast<std::size_t>(row) * texW + texW - kWhiteBlock) * 4],
              &tex[(static_cast<std::size_t>(row) * texW + texW) * 4], 255);

  ImageHandle image = NewImage();
  image->texture = backend_.IsOpen() ? backend_.CreateTexture(texW, texH, tex.data(), mipmap) : 0;
  image->cellWidth = cellWidth;
  image->cellHeight = cellHeight;
  image->frames = cellCount;
  image->columns = columns;
  image->textureWidth = texW;
  image->textureHeight = texH;
  image->whiteU = (texW - kWhiteBlock * 0.5f) / texW;
  image->whiteV = (texH - kWhiteBlock * 0.5f) / texH;
  image->pixels = std::move(kept);
  return image;
}

ImageHandle Graphics::LoadImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                                int cellCount) {
  RgbaImage pixels;
  if (!LoadPngFile(path, pixels)) return nullptr;
  return MakeImage(std::move(pixels), cellWidth, cellHeight, firstCell, cellCount, true);
}

ImageHandle Graphics::ImageFromPixels(const RgbaImage& pixels, int cellWidth, int cellHeight, int cellCount) {
  return MakeImage(pixels, cellWidth, cellHeight, 0, cellCount, true);
}

ImageHandle Graphics::CreateImage(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  ImageHandle image = NewImage();
  image->cellWidth = width;
  image->cellHeight = height;
  image->frames = 1;
  image->grabbed = true;
  return image;
}

void Graphics::GrabImage(const ImageHandle& image, int x, int y) {
  if (!image || !backend_.IsOpen()) return;
  Flush();
  if (backend_.GrabFrame(image->texture, x, y, image->cellWidth, image->cellHeight)) {
    image->textureWidth = image->cellWidth;
    image->textureHeight = image->cellHeight;
  }
}

std::uint32_t Graphics::ReadPixel(const ImageHandle& image, int x, int y, int frame) const {
  if (!image || frame < 0 || frame >= image->frames || x < 0 || y < 0 || x >= image->cellWidth ||
      y >= image->cellHeight)
    return 0;
  const RgbaImage& p = image->pixels;
  const int px = (frame % image->columns) * image->cellWidth + x;
  const int py = (frame / image->columns) * image->cellHeight + y;
  if (px >= p.width || py >= p.height) return 0;
  const std::uint8_t* s = &p.pixels[(static_cast<std::size_t>(py) * p.width + px) * 4];
  return PackRgba(s[0], s[1], s[2], s[3]);
}

void Graphics::SetTextFont(const RgbaImage& atlas, int cellWidth, int cellHeight) {
  if (cellWidth <= 0 || cellHeight <= 0) return;
  textCellWidth_ = cellWidth;
  textCellHeight_ = cellHeight;
  font_ = MakeImage(atlas, cellWidth, cellHeight, 0, 128, false);
}

}  // namespace qv
