# find_package(DockorreryAstronomy): the imported target Dockorrery::astronomy.
include(${CMAKE_CURRENT_LIST_DIR}/DockorreryAstronomyTargets.cmake)
