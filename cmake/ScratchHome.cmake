# brindlecove_scratch_environment(home out): the ENVIRONMENT_MODIFICATION entries that give a test
# the home and XDG folders under home, made here if missing. Used when configuring and by CTest for
# the cases it lists.
function(brindlecove_scratch_environment home out)
  file(MAKE_DIRECTORY ${home}/config ${home}/data ${home}/cache ${home}/state)
  set(${out} HOME=set:${home} XDG_CONFIG_HOME=set:${home}/config XDG_DATA_HOME=set:${home}/data
      XDG_CACHE_HOME=set:${home}/cache XDG_STATE_HOME=set:${home}/state PARENT_SCOPE)
endfunction()
