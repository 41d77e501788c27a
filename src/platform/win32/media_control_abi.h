// Windows' system media session (Windows.Media.Control) and the WinRT async
// types it answers with, declared by hand: MinGW-w64 has no header for them,
// and its own WinRT headers are wrong in places (IAsyncOperation<boolean>'s
// GetResults takes a boolean*, not a boolean**).
//
// Each interface lists every method of its vtable, in slot order, so that the
// ones called land on the right slot: a wrong slot cannot be seen under Wine
// and crashes on Windows. The end-to-end tests compare these declarations,
// method by method, with the test double's own (tools/media-session-double).
// Rules that keep the layout COM's: no virtual destructor, and no two virtuals
// of one interface with the same name (MSVC would reorder overloads).
// Parameters that the program never uses keep their size and kind (an
// interface pointer, a one-byte boolean, a double) but not their exact type.
#pragma once

#include <windows.h>

#include <hstring.h>
#include <inspectable.h>

namespace tw::platform::win32::abi {

// WinRT's Boolean: one byte, in and out.
using Boolean = unsigned char;

struct TimeSpan {
    INT64 Duration;  // 100 ns units
};
struct DateTime {
    INT64 UniversalTime;
};
struct EventRegistrationToken {
    INT64 value;
};

// Windows.Foundation.AsyncStatus.
enum class AsyncStatus : INT32 { Started = 0, Completed = 1, Canceled = 2, Error = 3 };

// GlobalSystemMediaTransportControlsSessionPlaybackStatus, the session's own.
// Not Windows.Media.MediaPlaybackStatus, an app's, which has no Opened and so
// other numbers (Playing is 3 there).
enum class SessionPlaybackStatus : INT32 {
    Closed = 0,
    Opened = 1,
    Changing = 2,
    Stopped = 3,
    Playing = 4,
    Paused = 5,
};

// RoInitialize's RO_INIT_MULTITHREADED.
inline constexpr INT32 kRoInitMultithreaded = 1;

inline constexpr wchar_t kManagerClassName[] =
    L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

struct IAsyncInfo : IInspectable {
    static constexpr GUID kIid = {
        0x00000036, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE get_Id(UINT32* id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Status(AsyncStatus* status) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* errorCode) = 0;
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
};

// IAsyncOperation<TResult>, one instance per result type, each with the IID
// that WinRT derives from the generic IID and the result's signature. It also
// implements IAsyncInfo, reached through QueryInterface.
template <class Result, const GUID& Iid>
struct IAsyncOperation : IInspectable {
    static constexpr const GUID& kIid = Iid;
    // AsyncOperationCompletedHandler<TResult>*: unused here, the status is polled.
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
    // A runtime class comes as its default interface; a Boolean as one byte.
    virtual HRESULT STDMETHODCALLTYPE GetResults(Result* results) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionTimelineProperties : IInspectable {
    static constexpr GUID kIid = {
        0xede34136, 0x6f25, 0x588d, {0x8e, 0xcf, 0xea, 0x5b, 0x67, 0x35, 0xaa, 0xa5}};
    virtual HRESULT STDMETHODCALLTYPE get_StartTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EndTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MinSeekTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxSeekTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Position(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LastUpdatedTime(DateTime* value) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionPlaybackControls : IInspectable {
    static constexpr GUID kIid = {
        0x6501a3e6, 0xbc7a, 0x503a, {0xbb, 0x1b, 0x68, 0xf1, 0x58, 0xf3, 0xfb, 0x03}};
    virtual HRESULT STDMETHODCALLTYPE get_IsPlayEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPauseEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsStopEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRecordEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsFastForwardEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRewindEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsNextEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPreviousEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelUpEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelDownEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPlayPauseToggleEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsShuffleEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRepeatEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPlaybackRateEnabled(Boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPlaybackPositionEnabled(Boolean* value) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionPlaybackInfo : IInspectable {
    static constexpr GUID kIid = {
        0x94b4b6cf, 0xe8ba, 0x51ad, {0x87, 0xa7, 0xc1, 0x0a, 0xde, 0x10, 0x61, 0x27}};
    virtual HRESULT STDMETHODCALLTYPE
    get_Controls(IGlobalSystemMediaTransportControlsSessionPlaybackControls** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(SessionPlaybackStatus* value) = 0;
    // IReference<MediaPlaybackType>*, IReference<MediaPlaybackAutoRepeatMode>*,
    // IReference<double>*, IReference<Boolean>*: each may be null.
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackType(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AutoRepeatMode(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackRate(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsShuffleActive(IInspectable** value) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionMediaProperties : IInspectable {
    static constexpr GUID kIid = {
        0x68856cf6, 0xadb4, 0x54b2, {0xac, 0x16, 0x05, 0x83, 0x79, 0x07, 0xac, 0xb6}};
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) = 0;
    // The album's artist comes before the song's.
    virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TrackNumber(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Genres(IInspectable** value) = 0;  // IVectorView<HSTRING>
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTrackCount(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackType(IInspectable** value) = 0;
    // Windows.Storage.Streams.IRandomAccessStreamReference*.
    virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(IInspectable** value) = 0;
};

// The parameterized IIDs of the three IAsyncOperation instances used.
inline constexpr GUID kIidAsyncOperationOfManager = {
    0x3eec115e, 0x7346, 0x5c27, {0x8c, 0x5f, 0xda, 0x78, 0x51, 0x4a, 0x27, 0x7b}};
inline constexpr GUID kIidAsyncOperationOfMediaProperties = {
    0xb185e6f3, 0xe0d8, 0x51cb, {0x91, 0x3f, 0xc9, 0x8d, 0x48, 0xc9, 0x3c, 0x46}};
inline constexpr GUID kIidAsyncOperationOfBoolean = {
    0xcdb5efb3, 0x5788, 0x509d, {0x9b, 0xe1, 0x71, 0xcc, 0xb8, 0xa3, 0x36, 0x2a}};

using IAsyncOperationOfMediaProperties =
    IAsyncOperation<IGlobalSystemMediaTransportControlsSessionMediaProperties*,
                    kIidAsyncOperationOfMediaProperties>;
using IAsyncOperationOfBoolean = IAsyncOperation<Boolean, kIidAsyncOperationOfBoolean>;

struct IGlobalSystemMediaTransportControlsSession : IInspectable {
    static constexpr GUID kIid = {
        0x7148c835, 0x9b14, 0x5ae2, {0xab, 0x85, 0xdc, 0x9b, 0x1c, 0x14, 0xe1, 0xa8}};
    virtual HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    TryGetMediaPropertiesAsync(IAsyncOperationOfMediaProperties** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimelineProperties(
        IGlobalSystemMediaTransportControlsSessionTimelineProperties** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    GetPlaybackInfo(IGlobalSystemMediaTransportControlsSessionPlaybackInfo** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryPlayAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryPauseAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryStopAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryRecordAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryFastForwardAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryRewindAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TrySkipNextAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    TrySkipPreviousAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    TryChangeChannelUpAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    TryChangeChannelDownAsync(IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    TryTogglePlayPauseAsync(IAsyncOperationOfBoolean** operation) = 0;
    // Windows.Media.MediaPlaybackAutoRepeatMode, a 32-bit enum.
    virtual HRESULT STDMETHODCALLTYPE TryChangeAutoRepeatModeAsync(
        INT32 requestedAutoRepeatMode, IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackRateAsync(
        DOUBLE requestedPlaybackRate, IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangeShuffleActiveAsync(
        Boolean requestedShuffleState, IAsyncOperationOfBoolean** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackPositionAsync(
        INT64 requestedPlaybackPosition, IAsyncOperationOfBoolean** operation) = 0;
    // The handlers are TypedEventHandler delegates; the tokens come back by value.
    virtual HRESULT STDMETHODCALLTYPE
    add_TimelinePropertiesChanged(IUnknown* handler, EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    remove_TimelinePropertiesChanged(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_PlaybackInfoChanged(IUnknown* handler,
                                                              EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_PlaybackInfoChanged(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_MediaPropertiesChanged(IUnknown* handler,
                                                                 EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    remove_MediaPropertiesChanged(EventRegistrationToken token) = 0;
};

struct IGlobalSystemMediaTransportControlsSessionManager : IInspectable {
    static constexpr GUID kIid = {
        0xcace8eac, 0xe86e, 0x504a, {0xab, 0x31, 0x5f, 0xf8, 0xff, 0x1b, 0xce, 0x49}};
    // S_OK and null when no program has a session.
    virtual HRESULT STDMETHODCALLTYPE
    GetCurrentSession(IGlobalSystemMediaTransportControlsSession** result) = 0;
    // IVectorView<GlobalSystemMediaTransportControlsSession>*.
    virtual HRESULT STDMETHODCALLTYPE GetSessions(IInspectable** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_CurrentSessionChanged(IUnknown* handler,
                                                                EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE
    remove_CurrentSessionChanged(EventRegistrationToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_SessionsChanged(IUnknown* handler,
                                                          EventRegistrationToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_SessionsChanged(EventRegistrationToken token) = 0;
};

using IAsyncOperationOfManager = IAsyncOperation<IGlobalSystemMediaTransportControlsSessionManager*,
                                                 kIidAsyncOperationOfManager>;

struct IGlobalSystemMediaTransportControlsSessionManagerStatics : IInspectable {
    static constexpr GUID kIid = {
        0x2050c4ee, 0x11a0, 0x57de, {0xae, 0xd7, 0xc9, 0x7c, 0x70, 0x33, 0x82, 0x45}};
    virtual HRESULT STDMETHODCALLTYPE RequestAsync(IAsyncOperationOfManager** operation) = 0;
};

// The functions of combase.dll, looked up at run time: the program must still
// start on systems without them.
using RoInitializeFn = HRESULT(WINAPI*)(INT32 initType);
using RoUninitializeFn = void(WINAPI*)();
using RoGetActivationFactoryFn = HRESULT(WINAPI*)(HSTRING classId, REFIID iid, void** factory);
using WindowsCreateStringFn = HRESULT(WINAPI*)(const WCHAR* text, UINT32 length, HSTRING* string);
using WindowsDeleteStringFn = HRESULT(WINAPI*)(HSTRING string);
using WindowsGetStringRawBufferFn = const WCHAR*(WINAPI*)(HSTRING string, UINT32* length);

}  // namespace tw::platform::win32::abi
