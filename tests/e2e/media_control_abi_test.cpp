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

// The methods of one interface, in the order of their slots from `first` on.
template <class... Methods>
void ExpectSlots(int first, Methods... methods) {
    int slot = first;
    const auto expect = [&](const auto& method) {
        const auto& [name, ours, twins] = method;
        using Ours = Signature<std::remove_cvref_t<decltype(ours)>>;
        using Twins = Signature<std::remove_cvref_t<decltype(twins)>>;
        EXPECT_EQ(Ours::Slot(ours), slot) << name << ", the program's";
        EXPECT_EQ(Twins::Slot(twins), slot) << name << ", the double's";
        EXPECT_EQ(Ours::Shape(), Twins::Shape()) << name << "'s parameters";
        ++slot;
    };
    (expect(methods), ...);
}

#define BOTH(I, method) std::tuple(#I "::" #method, &program::I::method, &twin::I::method)
#define SAME_IID(I) EXPECT_EQ(program::I::kIid, twin::I::iid) << #I

using MediaControlAbi = testing::Test;

TEST_F(MediaControlAbi, EveryMethodReachesItsSlotThroughBothDeclarationsAndTheIidsAgree) {
    ExpectSlots(6, BOTH(IGlobalSystemMediaTransportControlsSessionManagerStatics, RequestAsync));
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSessionManager, method)
    ExpectSlots(6, M(GetCurrentSession), M(GetSessions), M(add_CurrentSessionChanged),
                M(remove_CurrentSessionChanged), M(add_SessionsChanged), M(remove_SessionsChanged));
#undef M
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSession, method)
    ExpectSlots(6, M(get_SourceAppUserModelId), M(TryGetMediaPropertiesAsync),
                M(GetTimelineProperties), M(GetPlaybackInfo), M(TryPlayAsync), M(TryPauseAsync),
                M(TryStopAsync), M(TryRecordAsync), M(TryFastForwardAsync), M(TryRewindAsync),
                M(TrySkipNextAsync), M(TrySkipPreviousAsync), M(TryChangeChannelUpAsync),
                M(TryChangeChannelDownAsync), M(TryTogglePlayPauseAsync),
                M(TryChangeAutoRepeatModeAsync), M(TryChangePlaybackRateAsync),
                M(TryChangeShuffleActiveAsync), M(TryChangePlaybackPositionAsync),
                M(add_TimelinePropertiesChanged), M(remove_TimelinePropertiesChanged),
                M(add_PlaybackInfoChanged), M(remove_PlaybackInfoChanged),
                M(add_MediaPropertiesChanged), M(remove_MediaPropertiesChanged));
#undef M
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSessionMediaProperties, method)
    ExpectSlots(6, M(get_Title), M(get_Subtitle), M(get_AlbumArtist), M(get_Artist),
                M(get_AlbumTitle), M(get_TrackNumber), M(get_Genres), M(get_AlbumTrackCount),
                M(get_PlaybackType), M(get_Thumbnail));
#undef M
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSessionPlaybackInfo, method)
    ExpectSlots(6, M(get_Controls), M(get_PlaybackStatus), M(get_PlaybackType),
                M(get_AutoRepeatMode), M(get_PlaybackRate), M(get_IsShuffleActive));
#undef M
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSessionPlaybackControls, method)
    ExpectSlots(6, M(get_IsPlayEnabled), M(get_IsPauseEnabled), M(get_IsStopEnabled),
                M(get_IsRecordEnabled), M(get_IsFastForwardEnabled), M(get_IsRewindEnabled),
                M(get_IsNextEnabled), M(get_IsPreviousEnabled), M(get_IsChannelUpEnabled),
                M(get_IsChannelDownEnabled), M(get_IsPlayPauseToggleEnabled),
                M(get_IsShuffleEnabled), M(get_IsRepeatEnabled), M(get_IsPlaybackRateEnabled),
                M(get_IsPlaybackPositionEnabled));
#undef M
#define M(method) BOTH(IGlobalSystemMediaTransportControlsSessionTimelineProperties, method)
    ExpectSlots(6, M(get_StartTime), M(get_EndTime), M(get_MinSeekTime), M(get_MaxSeekTime),
                M(get_Position), M(get_LastUpdatedTime));
#undef M
    ExpectSlots(6, BOTH(IAsyncInfo, get_Id), BOTH(IAsyncInfo, get_Status),
                BOTH(IAsyncInfo, get_ErrorCode), BOTH(IAsyncInfo, Cancel), BOTH(IAsyncInfo, Close));
#define M(operation)                                                               \
    ExpectSlots(6, BOTH(operation, put_Completed), BOTH(operation, get_Completed), \
                BOTH(operation, GetResults));                                      \
    SAME_IID(operation)
    M(IAsyncOperationOfManager);
    M(IAsyncOperationOfMediaProperties);
    M(IAsyncOperationOfBoolean);
#undef M

    SAME_IID(IGlobalSystemMediaTransportControlsSessionManagerStatics);
    SAME_IID(IGlobalSystemMediaTransportControlsSessionManager);
    SAME_IID(IGlobalSystemMediaTransportControlsSession);
    SAME_IID(IGlobalSystemMediaTransportControlsSessionMediaProperties);
    SAME_IID(IGlobalSystemMediaTransportControlsSessionPlaybackInfo);
    SAME_IID(IGlobalSystemMediaTransportControlsSessionPlaybackControls);
    SAME_IID(IGlobalSystemMediaTransportControlsSessionTimelineProperties);
    SAME_IID(IAsyncInfo);
    EXPECT_STREQ(program::kManagerClassName, twin::kManagerClass);

    using S = program::SessionPlaybackStatus;
    using T = twin::PlaybackStatus;
    for (const auto& [ours, twins] : {std::pair(S::Closed, T::Closed),
                                      {S::Opened, T::Opened},
                                      {S::Changing, T::Changing},
                                      {S::Stopped, T::Stopped},
                                      {S::Playing, T::Playing},
                                      {S::Paused, T::Paused}}) {
        EXPECT_EQ(static_cast<int>(ours), static_cast<int>(twins));
    }
    using A = program::AsyncStatus;
    using B = twin::AsyncStatus;
    for (const auto& [ours, twins] : {std::pair(A::Started, B::Started),
                                      {A::Completed, B::Completed},
                                      {A::Canceled, B::Canceled},
                                      {A::Error, B::Error}}) {
        EXPECT_EQ(static_cast<int>(ours), static_cast<int>(twins));
    }
}

}  // namespace
}  // namespace tw::e2e
