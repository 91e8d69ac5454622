# Included at the end of project() by the MinGW toolchains.
enable_language(RC)
