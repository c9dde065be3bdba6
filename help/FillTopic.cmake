# Copies one help topic, putting the shared target color format section in
# place of @TARGET_COLOR_FORMATS@. Run by the build:
#   cmake -DTOPIC=<page> -DSECTION=<section> -DOUTPUT=<copy> -P FillTopic.cmake
file(READ ${SECTION} TARGET_COLOR_FORMATS)
string(STRIP "${TARGET_COLOR_FORMATS}" TARGET_COLOR_FORMATS)
configure_file(${TOPIC} ${OUTPUT} @ONLY)
