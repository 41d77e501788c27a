// The test double's own declarations of Windows.Media.Control and the WinRT async types, written
// from the ABI facts gathered for the project (the Windows SDK's generated headers and the
// bindings generated from Windows' metadata agree on them), NOT from the program's header: the
// end-to-end test MediaControlAbi compares the two, method by method, so a slip in either one
// shows. Slot numbers count from the start of the vtable; IInspectable fills 0 to 5. IIDs are
// written as the strings the facts give and parsed at compile time.
#pragma once

#include <windows.h>

#include <hstring.h>
#include <inspectable.h>

namespace gsmtc {

constexpr unsigned HexDigit(char c) {
    return c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
           : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                                  : static_cast<unsigned>(c - 'A' + 10);
}

constexpr unsigned long long Hex(const char* text, int digits) {
    unsigned long long value = 0;
    for (int i = 0; i < digits; ++i) {
        value = value * 16 + HexDigit(text[i]);
    }
    return value;
}

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", as an IID.
constexpr GUID Iid(const char (&s)[37]) {
    return GUID{
        static_cast<unsigned long>(Hex(s, 8)),
        static_cast<unsigned short>(Hex(s + 9, 4)),
        static_cast<unsigned short>(Hex(s + 14, 4)),
        {static_cast<unsigned char>(Hex(s + 19, 2)), static_cast<unsigned char>(Hex(s + 21, 2)),
         static_cast<unsigned char>(Hex(s + 24, 2)), static_cast<unsigned char>(Hex(s + 26, 2)),
         static_cast<unsigned char>(Hex(s + 28, 2)), static_cast<unsigned char>(Hex(s + 30, 2)),
         static_cast<unsigned char>(Hex(s + 32, 2)), static_cast<unsigned char>(Hex(s + 34, 2))}};
}

inline constexpr wchar_t kManagerClass[] =
    L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";
inline constexpr GUID kIidUnknown = Iid("00000000-0000-0000-c000-000000000046");
inline constexpr GUID kIidInspectable = Iid("af86e2e0-b12d-4c6a-9c5a-d7aa65101e90");
inline constexpr GUID kIidAgileObject = Iid("94ea2b94-e9cc-49e0-c0ff-ee64ca8f5b90");

// `boolean` of the ABI, in and out: one byte.
using Bool8 = unsigned char;
struct Token {  // EventRegistrationToken, passed by value to remove_*
    long long value;
};
struct Span {  // Windows.Foundation.TimeSpan, 100 ns
    long long Duration;
};
struct Instant {  // Windows.Foundation.DateTime
    long long UniversalTime;
};

// Counted from 0 in the order the facts list them.
enum class AsyncStatus : int { Started, Completed, Canceled, Error };
// The session's status (i4). Windows.Media.MediaPlaybackStatus is another enum, without Opened.
enum class PlaybackStatus : int { Closed, Opened, Changing, Stopped, Playing, Paused };

#define GSMTC_M virtual HRESULT STDMETHODCALLTYPE

struct IActivationFactory : IInspectable {
    static constexpr GUID iid = Iid("00000035-0000-0000-c000-000000000046");
    GSMTC_M ActivateInstance(IInspectable** instance) = 0;  // 6
};

struct IAsyncInfo : IInspectable {
    static constexpr GUID iid = Iid("00000036-0000-0000-c000-000000000046");
    GSMTC_M get_Id(unsigned* id) = 0;               // 6
    GSMTC_M get_Status(AsyncStatus* status) = 0;    // 7
    GSMTC_M get_ErrorCode(HRESULT* errorCode) = 0;  // 8
    GSMTC_M Cancel() = 0;                           // 9
    GSMTC_M Close() = 0;                            // 10
};

struct IGlobalSystemMediaTransportControlsSessionTimelineProperties : IInspectable {
    static constexpr GUID iid = Iid("ede34136-6f25-588d-8ecf-ea5b6735aaa5");
    GSMTC_M get_StartTime(Span* value) = 0;           // 6
    GSMTC_M get_EndTime(Span* value) = 0;             // 7
    GSMTC_M get_MinSeekTime(Span* value) = 0;         // 8
    GSMTC_M get_MaxSeekTime(Span* value) = 0;         // 9
    GSMTC_M get_Position(Span* value) = 0;            // 10
    GSMTC_M get_LastUpdatedTime(Instant* value) = 0;  // 11
};

struct IGlobalSystemMediaTransportControlsSessionPlaybackControls : IInspectable {
    static constexpr GUID iid = Iid("6501a3e6-bc7a-503a-bb1b-68f158f3fb03");
    GSMTC_M get_IsPlayEnabled(Bool8* value) = 0;              // 6
    GSMTC_M get_IsPauseEnabled(Bool8* value) = 0;             // 7
    GSMTC_M get_IsStopEnabled(Bool8* value) = 0;              // 8
    GSMTC_M get_IsRecordEnabled(Bool8* value) = 0;            // 9
    GSMTC_M get_IsFastForwardEnabled(Bool8* value) = 0;       // 10
    GSMTC_M get_IsRewindEnabled(Bool8* value) = 0;            // 11
    GSMTC_M get_IsNextEnabled(Bool8* value) = 0;              // 12
    GSMTC_M get_IsPreviousEnabled(Bool8* value) = 0;          // 13
    GSMTC_M get_IsChannelUpEnabled(Bool8* value) = 0;         // 14
    GSMTC_M get_IsChannelDownEnabled(Bool8* value) = 0;       // 15
    GSMTC_M get_IsPlayPauseToggleEnabled(Bool8* value) = 0;   // 16
    GSMTC_M get_IsShuffleEnabled(Bool8* value) = 0;           // 17
    GSMTC_M get_IsRepeatEnabled(Bool8* value) = 0;            // 18
    GSMTC_M get_IsPlaybackRateEnabled(Bool8* value) = 0;      // 19
    GSMTC_M get_IsPlaybackPositionEnabled(Bool8* value) = 0;  // 20
};

// IReference<T>, IVectorView<T>, IRandomAccessStreamReference and the event handlers are never
// used by the double: each is "some interface" here.
using AnyInterface = IUnknown;

struct IGlobalSystemMediaTransportControlsSessionPlaybackInfo : IInspectable {
    static constexpr GUID iid = Iid("94b4b6cf-e8ba-51ad-87a7-c10ade106127");
    GSMTC_M get_Controls(IGlobalSystemMediaTransportControlsSessionPlaybackControls** value) =
        0;                                                  // 6
    GSMTC_M get_PlaybackStatus(PlaybackStatus* value) = 0;  // 7
    GSMTC_M get_PlaybackType(AnyInterface** value) = 0;     // 8
    GSMTC_M get_AutoRepeatMode(AnyInterface** value) = 0;   // 9
    GSMTC_M get_PlaybackRate(AnyInterface** value) = 0;     // 10
    GSMTC_M get_IsShuffleActive(AnyInterface** value) = 0;  // 11
};

struct IGlobalSystemMediaTransportControlsSessionMediaProperties : IInspectable {
    static constexpr GUID iid = Iid("68856cf6-adb4-54b2-ac16-05837907acb6");
    GSMTC_M get_Title(HSTRING* value) = 0;               // 6
    GSMTC_M get_Subtitle(HSTRING* value) = 0;            // 7
    GSMTC_M get_AlbumArtist(HSTRING* value) = 0;         // 8
    GSMTC_M get_Artist(HSTRING* value) = 0;              // 9
    GSMTC_M get_AlbumTitle(HSTRING* value) = 0;          // 10
    GSMTC_M get_TrackNumber(int* value) = 0;             // 11
    GSMTC_M get_Genres(AnyInterface** value) = 0;        // 12
    GSMTC_M get_AlbumTrackCount(int* value) = 0;         // 13
    GSMTC_M get_PlaybackType(AnyInterface** value) = 0;  // 14
    GSMTC_M get_Thumbnail(AnyInterface** value) = 0;     // 15
};

struct IGlobalSystemMediaTransportControlsSessionManager;

// AsyncOperationCompletedHandler<T>: a delegate, so based on IUnknown (Invoke is slot 3).
template <class Operation>
struct ICompletedHandler : IUnknown {
    GSMTC_M Invoke(Operation* asyncInfo, AsyncStatus status) = 0;  // 3
};

// IAsyncOperation<T> for the three T used; TAbi is what GetResults writes.
template <class TAbi, class Self>
struct IAsyncOperationOf : IInspectable {
    GSMTC_M put_Completed(ICompletedHandler<Self>* handler) = 0;   // 6
    GSMTC_M get_Completed(ICompletedHandler<Self>** handler) = 0;  // 7
    GSMTC_M GetResults(TAbi* results) = 0;                         // 8
};
struct IAsyncOperationOfManager
    : IAsyncOperationOf<IGlobalSystemMediaTransportControlsSessionManager*,
                        IAsyncOperationOfManager> {
    static constexpr GUID iid = Iid("3eec115e-7346-5c27-8c5f-da78514a277b");
};
struct IAsyncOperationOfMediaProperties
    : IAsyncOperationOf<IGlobalSystemMediaTransportControlsSessionMediaProperties*,
                        IAsyncOperationOfMediaProperties> {
    static constexpr GUID iid = Iid("b185e6f3-e0d8-51cb-913f-c98d48c93c46");
};
struct IAsyncOperationOfBoolean : IAsyncOperationOf<Bool8, IAsyncOperationOfBoolean> {
    static constexpr GUID iid = Iid("cdb5efb3-5788-509d-9be1-71ccb8a3362a");
};

struct IGlobalSystemMediaTransportControlsSession : IInspectable {
    static constexpr GUID iid = Iid("7148c835-9b14-5ae2-ab85-dc9b1c14e1a8");
    GSMTC_M get_SourceAppUserModelId(HSTRING* value) = 0;                                  // 6
    GSMTC_M TryGetMediaPropertiesAsync(IAsyncOperationOfMediaProperties** operation) = 0;  // 7
    GSMTC_M GetTimelineProperties(
        IGlobalSystemMediaTransportControlsSessionTimelineProperties** result) = 0;  // 8
    GSMTC_M GetPlaybackInfo(IGlobalSystemMediaTransportControlsSessionPlaybackInfo** result) =
        0;                                                                                     // 9
    GSMTC_M TryPlayAsync(IAsyncOperationOfBoolean** operation) = 0;                            // 10
    GSMTC_M TryPauseAsync(IAsyncOperationOfBoolean** operation) = 0;                           // 11
    GSMTC_M TryStopAsync(IAsyncOperationOfBoolean** operation) = 0;                            // 12
    GSMTC_M TryRecordAsync(IAsyncOperationOfBoolean** operation) = 0;                          // 13
    GSMTC_M TryFastForwardAsync(IAsyncOperationOfBoolean** operation) = 0;                     // 14
    GSMTC_M TryRewindAsync(IAsyncOperationOfBoolean** operation) = 0;                          // 15
    GSMTC_M TrySkipNextAsync(IAsyncOperationOfBoolean** operation) = 0;                        // 16
    GSMTC_M TrySkipPreviousAsync(IAsyncOperationOfBoolean** operation) = 0;                    // 17
    GSMTC_M TryChangeChannelUpAsync(IAsyncOperationOfBoolean** operation) = 0;                 // 18
    GSMTC_M TryChangeChannelDownAsync(IAsyncOperationOfBoolean** operation) = 0;               // 19
    GSMTC_M TryTogglePlayPauseAsync(IAsyncOperationOfBoolean** operation) = 0;                 // 20
    GSMTC_M TryChangeAutoRepeatModeAsync(int mode, IAsyncOperationOfBoolean** operation) = 0;  // 21
    GSMTC_M TryChangePlaybackRateAsync(double rate,
                                       IAsyncOperationOfBoolean** operation) = 0;  // 22
    GSMTC_M TryChangeShuffleActiveAsync(Bool8 shuffle,
                                        IAsyncOperationOfBoolean** operation) = 0;  // 23
    GSMTC_M TryChangePlaybackPositionAsync(long long ticks,
                                           IAsyncOperationOfBoolean** operation) = 0;  // 24
    GSMTC_M add_TimelinePropertiesChanged(AnyInterface* handler, Token* token) = 0;    // 25
    GSMTC_M remove_TimelinePropertiesChanged(Token token) = 0;                         // 26
    GSMTC_M add_PlaybackInfoChanged(AnyInterface* handler, Token* token) = 0;          // 27
    GSMTC_M remove_PlaybackInfoChanged(Token token) = 0;                               // 28
    GSMTC_M add_MediaPropertiesChanged(AnyInterface* handler, Token* token) = 0;       // 29
    GSMTC_M remove_MediaPropertiesChanged(Token token) = 0;                            // 30
};

struct IGlobalSystemMediaTransportControlsSessionManager : IInspectable {
    static constexpr GUID iid = Iid("cace8eac-e86e-504a-ab31-5ff8ff1bce49");
    GSMTC_M GetCurrentSession(IGlobalSystemMediaTransportControlsSession** result) = 0;  // 6
    GSMTC_M GetSessions(AnyInterface** result) = 0;                                      // 7
    GSMTC_M add_CurrentSessionChanged(AnyInterface* handler, Token* token) = 0;          // 8
    GSMTC_M remove_CurrentSessionChanged(Token token) = 0;                               // 9
    GSMTC_M add_SessionsChanged(AnyInterface* handler, Token* token) = 0;                // 10
    GSMTC_M remove_SessionsChanged(Token token) = 0;                                     // 11
};

struct IGlobalSystemMediaTransportControlsSessionManagerStatics : IInspectable {
    static constexpr GUID iid = Iid("2050c4ee-11a0-57de-aed7-c97c70338245");
    GSMTC_M RequestAsync(IAsyncOperationOfManager** operation) = 0;  // 6
};

#undef GSMTC_M

}  // namespace gsmtc
