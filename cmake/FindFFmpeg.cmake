# FFmpeg's libraries that vivar's films use, as imported targets
# FFmpeg::avformat, FFmpeg::avcodec, FFmpeg::swscale and FFmpeg::avutil:
# Debian's (libavcodec-dev, libavformat-dev, libswscale-dev, libavutil-dev),
# or the Windows build's from packaging/windows/toolchain.sh. Their headers
# come in as system includes.
include(FindPackageHandleStandardArgs)
set(FFmpeg_LIBRARIES "")
foreach(part avformat avcodec swscale avutil)
  find_path(FFmpeg_${part}_INCLUDE_DIR lib${part}/${part}.h PATH_SUFFIXES ffmpeg)
  find_library(FFmpeg_${part}_LIBRARY ${part})
  list(APPEND FFmpeg_REQUIRED FFmpeg_${part}_INCLUDE_DIR FFmpeg_${part}_LIBRARY)
endforeach()
find_package_handle_standard_args(FFmpeg REQUIRED_VARS ${FFmpeg_REQUIRED}
  REASON_FAILURE_MESSAGE "apt-get install libavcodec-dev libavformat-dev libswscale-dev libavutil-dev")
if(FFmpeg_FOUND)
  foreach(part avformat avcodec swscale avutil)
    if(NOT TARGET FFmpeg::${part})
      add_library(FFmpeg::${part} UNKNOWN IMPORTED)
      set_target_properties(FFmpeg::${part} PROPERTIES
        IMPORTED_LOCATION ${FFmpeg_${part}_LIBRARY}
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${FFmpeg_${part}_INCLUDE_DIR}
        INTERFACE_INCLUDE_DIRECTORIES ${FFmpeg_${part}_INCLUDE_DIR})
    endif()
  endforeach()
endif()
