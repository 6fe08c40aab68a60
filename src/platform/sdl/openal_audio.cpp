#include "platform/sdl/openal_audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include "platform/channel_pool.h"

namespace qv {
namespace {

// Anything bigger is not one of the game's effects; refusing it keeps a broken or hostile file from
// taking all memory.
constexpr std::uint32_t kMaxWavBytes = 64u << 20;

struct DecodedSample {
  std::vector<std::int16_t> pcm;  // mono
  int frequency = 0;
  bool loop = false;
  ALuint buffer = 0;  // 0 while no device holds it
};

bool DecodeWav(const std::string& path, DecodedSample& out) {
  SDL_AudioSpec format{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &format, &data, &length) == nullptr) return false;
  struct WavFree {
    void operator()(Uint8* p) const { SDL_FreeWAV(p); }
  };
  const std::unique_ptr<Uint8, WavFree> owned(data);
  if (length == 0 || length > kMaxWavBytes || format.channels == 0 || format.freq < 1000 || format.freq > 384000) {
    return false;
  }

  SDL_AudioCVT cvt{};
  const int needed = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16SYS, 1, format.freq);
  if (needed < 0) return false;
  std::vector<Uint8> work(static_cast<std::size_t>(length) * static_cast<std::size_t>(needed > 0 ? cvt.len_mult : 1));
  std::memcpy(work.data(), data, length);
  std::size_t bytes = length;
  if (needed > 0) {
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (SDL_ConvertAudio(&cvt) != 0) return false;
    bytes = static_cast<std::size_t>(cvt.len_cvt);
  }
  if (bytes < sizeof(std::int16_t)) return false;
  out.pcm.resize(bytes / sizeof(std::int16_t));
  std::memcpy(out.pcm.data(), work.data(), out.pcm.size() * sizeof(std::int16_t));
  out.frequency = format.freq;
  return true;
}

void PlaceSource(ALuint source, float pan) {
  // On the unit half circle in front of the listener: pan -1 is hard left, +1 hard right.
  const float x = SafePan(pan);
  alSource3f(source, AL_POSITION, x, 0.0f, -std::sqrt(1.0f - x * x));
}

}  // namespace

struct OpenAlAudio::State {
  std::string deviceName;
  DeviceGate gate;
  std::future<ALCdevice*> probe;  // a look for a device under way
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  bool spatialize = false;
  bool disconnectKnown = false;
  std::vector<ALuint> sources;
  std::vector<DecodedSample> samples;  // SampleId n is samples[n - 1]
  ChannelPool pool{0};
  bool lost = false;  // there was a device, and it went away
  int ticksToReopen = 0;
  int reopenAttempts = 0;

  ALCdevice* OpenDevice() const;
  bool Open(ALCdevice* opened);
  void LookForDevice();
  void Close();
  void Upload(DecodedSample& sample);
  // The source of a live channel, or nullptr.
  const ALuint* SourceOf(ChannelId channel) const {
    const int voice = pool.VoiceOf(channel);
    return voice < 0 || device == nullptr ? nullptr : &sources[static_cast<std::size_t>(voice)];
  }
};

ALCdevice* OpenAlAudio::State::OpenDevice() const {
  if (gate && !gate()) return nullptr;
  return alcOpenDevice(deviceName.empty() ? nullptr : deviceName.c_str());
}

// Makes `opened` (or nothing, when it is null) the output: a context, the voices, the samples.
bool OpenAlAudio::State::Open(ALCdevice* opened) {
  device = opened;
  if (device == nullptr) return false;

  std::vector<ALCint> attributes;
  if (alcIsExtensionPresent(device, "ALC_SOFT_output_limiter") == ALC_TRUE) {
    attributes.insert(attributes.end(), {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE});
  }
  attributes.push_back(0);
  context = alcCreateContext(device, attributes.data());
  if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
    Close();
    return false;
  }
  disconnectKnown = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
  spatialize = alIsExtensionPresent("AL_SOFT_source_spatialize") == AL_TRUE;

  // Positions only pan: no fall-off with distance, sources placed relative to the listener.
  alDistanceModel(AL_NONE);
  alListenerf(AL_GAIN, kMasterGain);

  sources.clear();
  while (static_cast<int>(sources.size()) < kVoices) {
    ALuint source = 0;
    alGetError();
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) break;
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    if (spatialize) alSourcei(source, AL_SOURCE_SPATIALIZE_SOFT, AL_TRUE);
    PlaceSource(source, 0.0f);
    sources.push_back(source);
  }
  pool.Reset(static_cast<int>(sources.size()));
  for (DecodedSample& sample : samples) Upload(sample);
  return true;
}

void OpenAlAudio::State::Close() {
  if (context != nullptr) {
    alcMakeContextCurrent(context);
    for (const ALuint source : sources) alSourceStop(source);
    if (!sources.empty()) alDeleteSources(static_cast<ALsizei>(sources.size()), sources.data());
    for (DecodedSample& sample : samples) {
      if (sample.buffer != 0) alDeleteBuffers(1, &sample.buffer);
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
  }
  for (DecodedSample& sample : samples) sample.buffer = 0;
  sources.clear();
  pool.Reset(0);
  if (device != nullptr) alcCloseDevice(device);
  device = nullptr;
  context = nullptr;
}

void OpenAlAudio::State::Upload(DecodedSample& sample) {
  sample.buffer = 0;
  if (device == nullptr || sample.pcm.empty()) return;
  ALuint buffer = 0;
  alGetError();
  alGenBuffers(1, &buffer);
  if (alGetError() != AL_NO_ERROR) return;
  alBufferData(buffer, AL_FORMAT_MONO16, sample.pcm.data(),
               static_cast<ALsizei>(sample.pcm.size() * sizeof(std::int16_t)), sample.frequency);
  if (alGetError() != AL_NO_ERROR) {
    alDeleteBuffers(1, &buffer);
    return;
  }
  sample.buffer = buffer;
}

// Every kReopenTicks frames without a device a helper thread tries to open one; the frame that finds
// the attempt finished takes the device over. Frames never wait for the attempt.
void OpenAlAudio::State::LookForDevice() {
  if (probe.valid()) {
    if (probe.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    if (Open(probe.get())) {
      std::fprintf(stderr, lost ? "sound: audio output is back\n" : "sound: an audio output device was found\n");
      lost = false;
    }
    return;
  }
  if (--ticksToReopen > 0) return;
  ++reopenAttempts;
  ticksToReopen = kReopenTicks;
  probe = std::async(std::launch::async, [this] { return OpenDevice(); });
}

OpenAlAudio::OpenAlAudio(const std::string& deviceName, DeviceGate gate) : state_(std::make_unique<State>()) {
  state_->deviceName = deviceName;
  state_->gate = std::move(gate);
  state_->ticksToReopen = kReopenTicks;
  if (!state_->Open(state_->OpenDevice())) {
    std::fprintf(stderr, "sound: no audio output device could be opened; the game runs without sound\n");
  }
}

OpenAlAudio::~OpenAlAudio() {
  // A look still under way is waited for, and what it found is closed unused.
  if (state_->probe.valid()) {
    if (ALCdevice* late = state_->probe.get()) alcCloseDevice(late);
  }
  state_->Close();
}

SampleId OpenAlAudio::LoadSample(const std::string& path, bool loop) {
  DecodedSample sample;
  if (!DecodeWav(path, sample)) return 0;
  sample.loop = loop;
  state_->Upload(sample);
  state_->samples.push_back(std::move(sample));
  return static_cast<SampleId>(state_->samples.size());
}

ChannelId OpenAlAudio::StartPaused(SampleId sample) {
  State& s = *state_;
  if (s.device == nullptr || sample == 0 || sample > s.samples.size()) return 0;
  const DecodedSample& decoded = s.samples[sample - 1];
  if (decoded.buffer == 0) return 0;
  const ChannelGrant grant = s.pool.Acquire(sample, decoded.loop);
  if (grant.channel == 0) return 0;

  // A stolen voice is simply restarted with the new sound.
  const ALuint source = s.sources[static_cast<std::size_t>(grant.voice)];
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, static_cast<ALint>(decoded.buffer));
  alSourcei(source, AL_LOOPING, decoded.loop ? AL_TRUE : AL_FALSE);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcef(source, AL_GAIN, 1.0f);
  PlaceSource(source, 0.0f);
  alSourceRewind(source);
  return grant.channel;
}

void OpenAlAudio::SetRate(ChannelId channel, float rate) {
  if (const ALuint* source = state_->SourceOf(channel)) alSourcef(*source, AL_PITCH, SafeRate(rate));
}

void OpenAlAudio::SetPan(ChannelId channel, float pan) {
  if (const ALuint* source = state_->SourceOf(channel)) PlaceSource(*source, pan);
}

void OpenAlAudio::SetVolume(ChannelId channel, float volume) {
  if (const ALuint* source = state_->SourceOf(channel)) alSourcef(*source, AL_GAIN, SafeVolume(volume));
}

void OpenAlAudio::Resume(ChannelId channel) {
  const ALuint* source = state_->SourceOf(channel);
  if (source == nullptr) return;
  // Playing a stopped source would start it over, and a playing one would restart: only a source
  // that was never started or was paused may go.
  ALint sourceState = AL_STOPPED;
  alGetSourcei(*source, AL_SOURCE_STATE, &sourceState);
  if (sourceState == AL_INITIAL || sourceState == AL_PAUSED) alSourcePlay(*source);
}

void OpenAlAudio::Stop(ChannelId channel) {
  State& s = *state_;
  if (const ALuint* source = s.SourceOf(channel)) {
    alSourceStop(*source);
    alSourcei(*source, AL_BUFFER, 0);
  }
  s.pool.Release(channel);
}

bool OpenAlAudio::IsPlaying(ChannelId channel) const {
  const ALuint* source = state_->SourceOf(channel);
  if (source == nullptr) return false;
  ALint sourceState = AL_STOPPED;
  alGetSourcei(*source, AL_SOURCE_STATE, &sourceState);
  return sourceState == AL_PLAYING;
}

void OpenAlAudio::Tick() {
  State& s = *state_;
  if (s.device == nullptr) {
    s.LookForDevice();
    s.pool.NewFrame();
    return;
  }

  ALCint connected = ALC_TRUE;
  if (s.disconnectKnown) alcGetIntegerv(s.device, ALC_CONNECTED, 1, &connected);
  if (connected != ALC_TRUE) {
    std::fprintf(stderr, "sound: the audio output device was lost; playing silently and looking for it again\n");
    s.Close();
    s.lost = true;
    s.ticksToReopen = kReopenTicks;
    return;
  }

  for (int voice = 0; voice < s.pool.Capacity(); ++voice) {
    const ChannelId channel = s.pool.ChannelOnVoice(voice);
    if (channel == 0) continue;
    const ALuint source = s.sources[static_cast<std::size_t>(voice)];
    ALint sourceState = AL_PLAYING;
    alGetSourcei(source, AL_SOURCE_STATE, &sourceState);
    if (sourceState == AL_STOPPED) {
      alSourcei(source, AL_BUFFER, 0);
      s.pool.Release(channel);
    }
  }
  s.pool.NewFrame();
}

bool OpenAlAudio::HasDevice() const { return state_->device != nullptr; }
int OpenAlAudio::ReopenAttempts() const { return state_->reopenAttempts; }
int OpenAlAudio::Voices() const { return state_->pool.Capacity(); }

}  // namespace qv
