/* A library that goes by the client library's name but lacks most of its entry points. */
int OCIEnvNlsCreate(void) {
    return -1;
}
int OCIHandleAlloc(void) {
    return -1;
}
