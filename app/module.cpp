// Anchor for the app library while its parts are being written.
namespace {
[[maybe_unused]] const int kModuleAnchor = 0;
}
