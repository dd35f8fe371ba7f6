// The manifest built into meshfold.exe, where Windows looks for it (type 24,
// id 1, US English), brings version 6 of the common controls.
#include <windows.h>

#include <gtest/gtest.h>

namespace meshfold {
namespace {

// True when the active context sends loads of comctl32.dll to a side-by-side
// assembly, which is how version 6 of the common controls is reached.
bool CommonControlsAreRedirected() {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof(data);
  return FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                  &data) != 0;
}

TEST(Manifest, BringsVersion6OfTheCommonControls) {
  ASSERT_FALSE(CommonControlsAreRedirected()) << "the test program itself has no manifest";
  ACTCTXW context{};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_LANGID_VALID;
  context.lpSource = L"" MESHFOLD_PROGRAM;
  context.wLangId = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  context.lpResourceName = MAKEINTRESOURCEW(1);
  const HANDLE activation = CreateActCtxW(&context);
  ASSERT_NE(activation, INVALID_HANDLE_VALUE) << "none there, or it does not parse: " << GetLastError();
  ULONG_PTR cookie = 0;
  ASSERT_TRUE(ActivateActCtx(activation, &cookie));
  EXPECT_TRUE(CommonControlsAreRedirected());
  DeactivateActCtx(0, cookie);
  ReleaseActCtx(activation);
}

}  // namespace
}  // namespace meshfold
