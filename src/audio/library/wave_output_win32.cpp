// WaveOutput: device set-up, the playback thread's refill loop, and an
// orderly shutdown (thread first, then the device) so that no buffer is
// touched after the device has let go of it.
#include "audio/library/wave_output_win32.h"

#include <new>

AudioError WaveOutput::Open(UINT deviceId, uint32_t rate, MixCallback mixCallback, void* context) {
  Close();
  mix = mixCallback;
  mixContext = context;
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = rate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = rate * 4;
  bufferDone = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!bufferDone) return kAudioErrorMemory;
  if (waveOutOpen(&device, deviceId, &format, DWORD_PTR(bufferDone), 0, CALLBACK_EVENT) != MMSYSERR_NOERROR) {
    device = nullptr;
    ReleaseDevice();
    return kAudioErrorDriver;
  }
  if (!PrepareBuffers()) {
    ReleaseDevice();
    return kAudioErrorMemory;
  }
  stopping = 0;
  // The thread holds a reference to this DLL and drops it as it exits, so a
  // caller that unloads the library without BASS_Free cannot pull the code
  // from under a running thread.
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&ThreadMain),
                     &moduleReference);
  thread = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
  if (!thread) {
    if (moduleReference) FreeLibrary(moduleReference);
    ReleaseDevice();
    return kAudioErrorMemory;
  }
  SetThreadPriority(thread, THREAD_PRIORITY_HIGHEST);
  return kAudioOk;
}

bool WaveOutput::PrepareBuffers() {
  memory = new (std::nothrow) int16_t[kBufferCount * kBufferFrames * 2];
  if (!memory) return false;
  for (uint32_t i = 0; i < kBufferCount; ++i) {
    WAVEHDR& header = headers[i];
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(memory + i * kBufferFrames * 2);
    header.dwBufferLength = kBufferFrames * 4;
    if (waveOutPrepareHeader(device, &header, sizeof header) != MMSYSERR_NOERROR) return false;
  }
  return true;
}

void WaveOutput::Close() {
  if (thread) {
    InterlockedExchange(&stopping, 1);
    SetEvent(bufferDone);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    thread = nullptr;
    moduleReference = nullptr;  // released by the thread on its way out
  }
  ReleaseDevice();
}

// Returns every buffer from the device, then closes it and frees the memory.
void WaveOutput::ReleaseDevice() {
  if (device) {
    waveOutReset(device);
    for (WAVEHDR& header : headers)
      if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);
    waveOutClose(device);
    device = nullptr;
  }
  delete[] memory;
  memory = nullptr;
  if (bufferDone) CloseHandle(bufferDone);
  bufferDone = nullptr;
}

void WaveOutput::Pause() {
  if (device) waveOutPause(device);
}

void WaveOutput::Resume() {
  if (device) waveOutRestart(device);
}

DWORD WINAPI WaveOutput::ThreadMain(void* self) {
  WaveOutput* output = static_cast<WaveOutput*>(self);
  HMODULE module = output->moduleReference;
  output->Run();
  if (module) FreeLibraryAndExitThread(module, 0);
  return 0;
}

void WaveOutput::Run() {
  for (WAVEHDR& header : headers) Refill(&header);
  while (!stopping) {
    WaitForSingleObject(bufferDone, kWakeMilliseconds);
    for (WAVEHDR& header : headers) {
      if (stopping) break;
      if (header.dwFlags & WHDR_DONE) Refill(&header);
    }
  }
}

void WaveOutput::Refill(WAVEHDR* header) {
  mix(mixContext, reinterpret_cast<int16_t*>(header->lpData), kBufferFrames);
  header->dwFlags &= ~WHDR_DONE;
  waveOutWrite(device, header, sizeof *header);
}
