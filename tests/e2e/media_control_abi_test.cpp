// The program declares Windows' media session by hand (src/platform/win32/media_control_abi.h),
// and so, apart from it, does the test double (tools/media-session-double/gsmtc.h). A method on
// the wrong slot cannot be seen under Wine, where the double answers whatever the program calls,
// and crashes on Windows: so every method is called through each declaration on an object whose
// vtable is a row of stubs that record their slot, and the two must reach the slot written here,
// with parameters of the same size and kind; the IIDs and the enums' numbers must agree.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "gsmtc.h"
#include "platform/win32/media_control_abi.h"

namespace tw::e2e {
namespace {

namespace program = tw::platform::win32::abi;
namespace twin = gsmtc;

int g_reached = -1;

// x64 only: a callee may ignore the arguments it is given, which the caller cleans up.
template <int N>
HRESULT STDMETHODCALLTYPE Stub(void*) {
    g_reached = N;
    return S_OK;
}

template <int... N>
std::array<void*, sizeof...(N)> StubTable(std::integer_sequence<int, N...>) {
    return {reinterpret_cast<void*>(&Stub<N>)...};
}

// "p<size of what it points to>", "f<size>" for floating point, "v<size>" for other values.
template <class T>
std::string ShapeOf() {
    if constexpr (std::is_pointer_v<T>) {
        return "p" + std::to_string(sizeof(std::remove_pointer_t<T>)) + " ";
    } else {
        return (std::is_floating_point_v<T> ? "f" : "v") + std::to_string(sizeof(T)) + " ";
    }
}

template <class Method>
struct Signature;
template <class R, class C, class... A>
struct Signature<R (C::*)(A...)> {
    static std::string Shape() { return (std::string() + ... + ShapeOf<A>()); }
    // The slot a call through this declaration reaches.
    static int Slot(R (C::*method)(A...)) {
        static const auto stubs = StubTable(std::make_integer_sequence<int, 40>{});
        const void* const* vtable = stubs.data();
        g_reached = -1;
        (reinterpret_cast<C*>(&vtable)->*method)(A{}...);
        return g_reached;
    }
};

// The methods of one interface, in the order of their slots from 6 on, after IInspectable's.
template <class Ours, class Twins, class... Methods>
void ExpectInterface(const char* name, Methods... methods) {
    EXPECT_EQ(Ours::kIid, Twins::iid) << name;
    int slot = 6;
    const auto expect = [&](const auto& method) {
        const auto& [what, ours, twins] = method;
        using OursOf = Signature<std::remove_cvref_t<decltype(ours)>>;
        using TwinsOf = Signature<std::remove_cvref_t<decltype(twins)>>;
        EXPECT_EQ(OursOf::Slot(ours), slot) << name << "::" << what << ", the program's";
        EXPECT_EQ(TwinsOf::Slot(twins), slot) << name << "::" << what << ", the double's";
        EXPECT_EQ(OursOf::Shape(), TwinsOf::Shape()) << name << "::" << what << "'s parameters";
        ++slot;
    };
    (expect(methods), ...);
}

// Within an INTERFACE(I, ...): one method of I, through both declarations.
#define M(method) std::tuple(#method, &Ours::method, &Twins::method)
#define INTERFACE(I, ...)                              \
    {                                                  \
        using Ours = program::I;                       \
        using Twins = twin::I;                         \
        ExpectInterface<Ours, Twins>(#I, __VA_ARGS__); \
    }

using MediaControlAbi = testing::Test;

TEST_F(MediaControlAbi, EveryMethodReachesItsSlotThroughBothDeclarationsAndTheIidsAgree) {
    INTERFACE(IGlobalSystemMediaTransportControlsSessionManagerStatics, M(RequestAsync));
    INTERFACE(IGlobalSystemMediaTransportControlsSessionManager, M(GetCurrentSession),
              M(GetSessions), M(add_CurrentSessionChanged), M(remove_CurrentSessionChanged),
              M(add_SessionsChanged), M(remove_SessionsChanged));
    INTERFACE(IGlobalSystemMediaTransportControlsSession, M(get_SourceAppUserModelId),
              M(TryGetMediaPropertiesAsync), M(GetTimelineProperties), M(GetPlaybackInfo),
              M(TryPlayAsync), M(TryPauseAsync), M(TryStopAsync), M(TryRecordAsync),
              M(TryFastForwardAsync), M(TryRewindAsync), M(TrySkipNextAsync),
              M(TrySkipPreviousAsync), M(TryChangeChannelUpAsync), M(TryChangeChannelDownAsync),
              M(TryTogglePlayPauseAsync), M(TryChangeAutoRepeatModeAsync),
              M(TryChangePlaybackRateAsync), M(TryChangeShuffleActiveAsync),
              M(TryChangePlaybackPositionAsync), M(add_TimelinePropertiesChanged),
              M(remove_TimelinePropertiesChanged), M(add_PlaybackInfoChanged),
              M(remove_PlaybackInfoChanged), M(add_MediaPropertiesChanged),
              M(remove_MediaPropertiesChanged));
    INTERFACE(IGlobalSystemMediaTransportControlsSessionMediaProperties, M(get_Title),
              M(get_Subtitle), M(get_AlbumArtist), M(get_Artist), M(get_AlbumTitle),
              M(get_TrackNumber), M(get_Genres), M(get_AlbumTrackCount), M(get_PlaybackType),
              M(get_Thumbnail));
    INTERFACE(IGlobalSystemMediaTransportControlsSessionPlaybackInfo, M(get_Controls),
              M(get_PlaybackStatus), M(get_PlaybackType), M(get_AutoRepeatMode),
              M(get_PlaybackRate), M(get_IsShuffleActive));
    INTERFACE(IGlobalSystemMediaTransportControlsSessionPlaybackControls, M(get_IsPlayEnabled),
              M(get_IsPauseEnabled), M(get_IsStopEnabled), M(get_IsRecordEnabled),
              M(get_IsFastForwardEnabled), M(get_IsRewindEnabled), M(get_IsNextEnabled),
              M(get_IsPreviousEnabled), M(get_IsChannelUpEnabled), M(get_IsChannelDownEnabled),
              M(get_IsPlayPauseToggleEnabled), M(get_IsShuffleEnabled), M(get_IsRepeatEnabled),
              M(get_IsPlaybackRateEnabled), M(get_IsPlaybackPositionEnabled));
    INTERFACE(IGlobalSystemMediaTransportControlsSessionTimelineProperties, M(get_StartTime),
              M(get_EndTime), M(get_MinSeekTime), M(get_MaxSeekTime), M(get_Position),
              M(get_LastUpdatedTime));
    INTERFACE(IAsyncInfo, M(get_Id), M(get_Status), M(get_ErrorCode), M(Cancel), M(Close));
    INTERFACE(IAsyncOperationOfManager, M(put_Completed), M(get_Completed), M(GetResults));
    INTERFACE(IAsyncOperationOfMediaProperties, M(put_Completed), M(get_Completed), M(GetResults));
    INTERFACE(IAsyncOperationOfBoolean, M(put_Completed), M(get_Completed), M(GetResults));
    EXPECT_STREQ(program::kManagerClassName, twin::kManagerClass);

    const auto numbers = [](auto... members) { return std::vector{static_cast<int>(members)...}; };
#define STATUSES(E) numbers(E::Closed, E::Opened, E::Changing, E::Stopped, E::Playing, E::Paused)
    EXPECT_EQ(STATUSES(program::SessionPlaybackStatus), STATUSES(twin::PlaybackStatus));
#define ASYNC(E) numbers(E::Started, E::Completed, E::Canceled, E::Error)
    EXPECT_EQ(ASYNC(program::AsyncStatus), ASYNC(twin::AsyncStatus));
}

}  // namespace
}  // namespace tw::e2e
