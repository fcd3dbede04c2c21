# SMBIOS: the host tests read real machines' dumps from tests/fixtures/smbios;
# the walk and decoders get a libFuzzer target of their own.
target_compile_definitions(host_tests PRIVATE KESTOVA_SMBIOS_FIXTURES="${CMAKE_SOURCE_DIR}/tests/fixtures/smbios")
