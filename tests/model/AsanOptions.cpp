// The tests make the platform report a file larger than memory. Under
// AddressSanitizer such an allocation must fail like it does in a normal build,
// not end the test program.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}
